#include "pages/SelectModelViewController.h"

#include "catalogue/FirmwareList.h"
#include "catalogue/TargetFirmware.h"
#include "core/Localization.h"
#include "pages/DocumentTextView.h"

namespace velt {

SelectModelViewController::SelectModelViewController(QObject* parent) : Controller(parent) {}

void SelectModelViewController::setSelector(QComboBox* selector)
{
    m_selector = selector;
    if (!m_selector)
        return;
    m_selector->addItems(firmwareList().lotNames());
    // A non-editable combo box selects its first item by itself; the user has not picked yet.
    m_selector->setCurrentIndex(-1);
}

void SelectModelViewController::setErrorTextAreaSV(QScrollArea* scrollView)
{
    m_errorTextAreaSV = scrollView;
    setErrorTextArea(documentTextView(scrollView));
}

void SelectModelViewController::setErrorTextArea(QTextEdit* textView)
{
    m_errorTextArea = textView;
    if (m_errorTextArea)
        m_errorTextArea->setPlainText(QString());
}

void SelectModelViewController::sourceSelected(QObject* sender)
{
    auto* comboBox = qobject_cast<QComboBox*>(sender);
    // The model is what the box shows, not the position of the pick.
    const QString lot = comboBox ? comboBox->currentText() : QString();
    if (lot.isEmpty())
        return;
    m_nextButton->setEnabled(false);
    m_errorTextArea->setPlainText(QString());

    const QStringList versionNames = targetFirmware().versionNamesForLot(lot);
    if (versionNames.isEmpty()) {
        m_errorTextArea->setPlainText(localizedString("Error_NoFirmwareAvailable"));
        return;
    }
    m_nextButton->setEnabled(true);
    m_errorTextArea->setPlainText(formatWithInteger(
        localizedString("Info_NumberOfFirmwareVersionsAvailable"), versionNames.size()));
    targetFirmware().lotName = lot;
}

void SelectModelViewController::viewDidAppear()
{
    Controller::viewDidAppear();
    if (m_selector)
        m_selector->setFocus(Qt::OtherFocusReason);
}

} // namespace velt
