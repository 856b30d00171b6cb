#include "pages/UpdateProgressViewController.h"

#include "catalogue/TargetFirmware.h"
#include "core/Alert.h"
#include "core/Localization.h"
#include "kit/Termination.h"
#include "pages/DocumentTextView.h"

namespace velt {

UpdateProgressViewController::UpdateProgressViewController(QObject* parent) : Controller(parent) {}

void UpdateProgressViewController::setInfoTextAreaSV(QScrollArea* scrollView)
{
    m_infoTextAreaSV = scrollView;
    setInfoTextArea(documentTextView(scrollView));
}

void UpdateProgressViewController::setInfoTextArea(QTextEdit* textView)
{
    m_infoTextArea = textView;
    if (m_infoTextArea)
        m_infoTextArea->setPlainText(QString());
}

QString UpdateProgressViewController::versionCaption(const QString& versionName)
{
    // Any separator belongs to the localized caption.
    return localizedString("Caption_VersionInfo") +
           (versionName.isEmpty() ? QStringLiteral("?") : versionName);
}

void UpdateProgressViewController::setVersionInfoLabel(QLabel* label)
{
    m_versionInfoLabel = label;
    if (!m_versionInfoLabel)
        return;
    const auto& version = targetFirmware().firmwareVersion;
    m_versionInfoLabel->setText(versionCaption(version ? version->name : QString()));
}

void UpdateProgressViewController::setProgressIndicator(QProgressBar* bar)
{
    m_progressIndicator = bar;
    if (m_progressIndicator)
        m_progressIndicator->setValue(0);
}

void UpdateProgressViewController::setButton(QPushButton* button)
{
    m_button = button;
    if (m_button)
        m_button->hide();
}

void UpdateProgressViewController::showError(const VeltError& error)
{
    // The queued task keeps the page alive: it may be reported from a background thread while
    // the page is being taken off the stack.
    QMetaObject::invokeMethod(
        this,
        [this, keep = sharedFromThis(), error] {
            if (m_infoTextArea)
                m_infoTextArea->setPlainText(localizedString("Error_Generic"));
            presentAlert(error);
            goBack();
        },
        Qt::QueuedConnection);
}

void UpdateProgressViewController::showWriteSucceeded()
{
    QMetaObject::invokeMethod(
        this,
        [this, keep = sharedFromThis()] {
            if (!m_button)
                return;
            m_button->show();
            m_button->setEnabled(true);
            if (m_infoTextArea)
                m_infoTextArea->setPlainText(localizedString("Info_WriteSucceeded"));
            m_button->setText(localizedString("ButtonCaption_Finish"));
            m_button->setDefault(true);
            setDefaultButton(m_button);
            m_button->setFocus(Qt::OtherFocusReason);
            disconnect(m_button, &QAbstractButton::clicked, this, nullptr);
            connect(m_button, &QAbstractButton::clicked, this,
                    &UpdateProgressViewController::finish);
        },
        Qt::QueuedConnection);
}

void UpdateProgressViewController::finish()
{
    requestTermination();
}

void UpdateProgressViewController::goBack()
{
    dismiss(this);
}

void UpdateProgressViewController::viewDidAppear()
{
    startUpdate();
}

void UpdateProgressViewController::startUpdate() {}

} // namespace velt
