#include "pages/SelectVersionViewController.h"

#include "catalogue/FirmwareList.h"
#include "catalogue/TargetFirmware.h"
#include "core/Localization.h"
#include "pages/DocumentTextView.h"

namespace velt {
namespace {

QStringList versionNamesOfChosenModel()
{
    return targetFirmware().versionNamesForLot(targetFirmware().lotName);
}

} // namespace

SelectVersionViewController::SelectVersionViewController(QObject* parent) : Controller(parent) {}

QStringList SelectVersionViewController::versionLabels(const QStringList& versionNames)
{
    QStringList labels;
    for (const QString& name : versionNames) {
        QString label = name;
        if (name == versionNames.first())
            label += QStringLiteral(" (") + localizedString("Caption_OriginalVersion") + u')';
        // Compared with the label as it now stands, so a single version is only "original".
        if (label == versionNames.last())
            label += QStringLiteral(" (") + localizedString("Caption_NewestVersion") + u')';
        labels.append(label);
    }
    return labels;
}

void SelectVersionViewController::setSelector(QComboBox* selector)
{
    m_selector = selector;
    if (!m_selector)
        return;
    const QStringList labels = versionLabels(versionNamesOfChosenModel());
    m_selector->addItems(labels);
    m_selector->setCurrentIndex(int(labels.size()) - 1);
    sourceSelected(m_selector);
}

void SelectVersionViewController::setInfoTextAreaSV(QScrollArea* scrollView)
{
    m_infoTextAreaSV = scrollView;
    setInfoTextArea(documentTextView(scrollView));
}

void SelectVersionViewController::setInfoTextArea(QTextEdit* textView)
{
    m_infoTextArea = textView;
    if (m_infoTextArea)
        m_infoTextArea->setPlainText(QString());
}

void SelectVersionViewController::sourceSelected(QObject* sender)
{
    auto* comboBox = qobject_cast<QComboBox*>(sender);
    if (!comboBox || comboBox->currentText().isEmpty())
        return;
    m_nextButton->setEnabled(false);

    const QStringList versionNames = versionNamesOfChosenModel();
    const int position = comboBox->currentIndex();
    // Only a typed-in text could name no entry; it chooses nothing.
    if (position < 0 || position >= versionNames.size())
        return;
    const std::shared_ptr<FirmwareVersion> version =
        firmwareList().version(versionNames.at(position));
    if (!version) {
        m_infoTextArea->setPlainText(localizedString("Error_CodeInconsistency"));
        return;
    }
    m_infoTextArea->setPlainText(localizedString("Caption_ReleaseDate") + QStringLiteral(": ") +
                                 version->releaseDate);
    targetFirmware().firmwareVersion = version;
    m_nextButton->setEnabled(true);
}

void SelectVersionViewController::viewDidAppear()
{
    Controller::viewDidAppear();
    if (m_selector)
        m_selector->setFocus(Qt::OtherFocusReason);
}

} // namespace velt
