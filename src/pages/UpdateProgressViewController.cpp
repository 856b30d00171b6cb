// SPDX-License-Identifier: Apache-2.0
#include "pages/UpdateProgressViewController.h"

#include "catalogue/TargetFirmware.h"
#include "controls/LocalizeControls.h"
#include "core/Alert.h"
#include "core/Localization.h"
#include "ui_UpdateProgressPage.h"

#include <QShowEvent>
#include <cmath>
#include <limits>

namespace velt {

UpdateProgressViewController::UpdateProgressViewController(UpdateSettings settings, QWidget* parent)
    : UpdateProgressViewController(std::move(settings), targetFirmware().firmwareVersion, parent)
{
    m_localImage = false;
}

UpdateProgressViewController::UpdateProgressViewController(
    UpdateSettings settings, std::shared_ptr<const FirmwareVersion> version, QWidget* parent)
    : QWidget(parent), m_ui(new Ui::UpdateProgressPage), m_localImage(true)
{
    m_ui->setupUi(this);
    localizeControls(*this);
    m_ui->infoTextArea->clear();
    // The version name comes from the catalogue: shown as it is written, never as markup.
    m_ui->versionInfoLabel->setTextFormat(Qt::PlainText);
    m_ui->versionInfoLabel->setText(versionCaption(version ? version->name : QString()));
    m_ui->progressIndicator->setValue(0);
    m_ui->busyIndicator->hide();
    m_ui->button->hide();

    m_session = new UpdateSession(version, std::move(settings), this);
    connect(m_session, &UpdateSession::statusChanged, m_ui->infoTextArea, &QTextEdit::setPlainText);
    connect(m_session, &UpdateSession::progressChanged, this,
            &UpdateProgressViewController::setProgress);
    connect(m_session, &UpdateSession::timeLeftChanged, m_ui->timeLeftLabel, &QLabel::setText);
    connect(m_session, &UpdateSession::installingChanged, m_ui->busyIndicator,
            &QWidget::setVisible);
    connect(m_session, &UpdateSession::toolRunningChanged, this,
            &UpdateProgressViewController::toolRunningChanged);
    // Queued: the ending is shown once the session has finished the task that reported it.
    connect(m_session, &UpdateSession::succeeded, this,
            &UpdateProgressViewController::showWriteSucceeded, Qt::QueuedConnection);
    connect(m_session, &UpdateSession::failed, this, &UpdateProgressViewController::showError,
            Qt::QueuedConnection);
    connect(m_ui->button, &QPushButton::clicked, this,
            &UpdateProgressViewController::finishRequested);
}

UpdateProgressViewController::~UpdateProgressViewController() = default;

QString UpdateProgressViewController::versionCaption(const QString& versionName)
{
    // Any separator belongs to the localized caption.
    return localizedString("Caption_VersionInfo") +
           (versionName.isEmpty() ? QStringLiteral("?") : versionName);
}

void UpdateProgressViewController::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Starts once the page is on screen; the session ignores later starts.
    if (!event->spontaneous())
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isVisible() && m_localImage)
                    m_session->startWithImageInPlace();
                else if (isVisible())
                    m_session->start();
            },
            Qt::QueuedConnection);
}

void UpdateProgressViewController::setProgress(double value, double maximum)
{
    QProgressBar* bar = m_ui->progressIndicator;
    if (maximum < 0) {
        // Amount not known yet: the bar's busy state.
        bar->setRange(0, 0);
        return;
    }
    // The bar counts in int; the amounts may be larger, or fractions.
    double scale = 1;
    if (maximum > double(std::numeric_limits<int>::max()))
        scale = double(std::numeric_limits<int>::max()) / maximum;
    const auto toBar = [scale](double amount) {
        return std::isfinite(amount) && amount > 0 ? int(std::llround(amount * scale)) : 0;
    };
    bar->setRange(0, toBar(maximum));
    bar->setValue(std::min(toBar(value), bar->maximum()));
}

void UpdateProgressViewController::showError(const VeltError& error)
{
    m_ui->infoTextArea->setPlainText(localizedString("Error_Generic"));
    presentAlert(error);
    emit backRequested();
}

void UpdateProgressViewController::showWriteSucceeded()
{
    m_ui->infoTextArea->setPlainText(localizedString("Info_WriteSucceeded"));
    m_ui->button->setText(localizedString("ButtonCaption_Finish"));
    m_ui->button->setEnabled(true);
    m_ui->button->setDefault(true);
    m_ui->button->show();
    m_ui->button->setFocus(Qt::OtherFocusReason);
}

} // namespace velt
