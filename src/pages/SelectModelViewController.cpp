// SPDX-License-Identifier: Apache-2.0
#include "pages/SelectModelViewController.h"

#include "catalogue/FirmwareList.h"
#include "catalogue/TargetFirmware.h"
#include "controls/LocalizeControls.h"
#include "core/Localization.h"
#include "ui_SelectModelPage.h"

#include <QShowEvent>

namespace velt {

SelectModelViewController::SelectModelViewController(QWidget* parent)
    : QWidget(parent), m_ui(new Ui::SelectModelPage)
{
    m_ui->setupUi(this);
    localizeControls(*this);
    m_ui->errorTextArea->clear();
    m_ui->selector->addItems(firmwareList().lotNames());
    // A non-editable combo box selects its first item by itself; the user has not picked yet.
    m_ui->selector->setCurrentIndex(-1);
    connect(m_ui->selector, &QComboBox::activated, this,
            &SelectModelViewController::sourceSelected);
    connect(m_ui->nextButton, &QPushButton::clicked, this,
            &SelectModelViewController::nextRequested);
    connect(m_ui->backButton, &QPushButton::clicked, this,
            &SelectModelViewController::backRequested);
}

SelectModelViewController::~SelectModelViewController() = default;

void SelectModelViewController::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        m_ui->selector->setFocus(Qt::OtherFocusReason);
}

void SelectModelViewController::sourceSelected()
{
    // The model is what the box shows, not the position of the pick.
    const QString lot = m_ui->selector->currentText();
    // Read out with the list's name: what is chosen now.
    m_ui->selector->setAccessibleDescription(lot);
    if (lot.isEmpty())
        return;
    m_ui->nextButton->setEnabled(false);
    m_ui->errorTextArea->clear();

    const QStringList versionNames = targetFirmware().versionNamesForLot(lot);
    if (versionNames.isEmpty()) {
        m_ui->errorTextArea->setPlainText(localizedString("Error_NoFirmwareAvailable"));
        return;
    }
    m_ui->nextButton->setEnabled(true);
    m_ui->errorTextArea->setPlainText(formatWithInteger(
        localizedString("Info_NumberOfFirmwareVersionsAvailable"), versionNames.size()));
    targetFirmware().lotName = lot;
}

} // namespace velt
