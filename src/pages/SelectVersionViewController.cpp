// SPDX-License-Identifier: Apache-2.0
#include "pages/SelectVersionViewController.h"

#include "catalogue/FirmwareList.h"
#include "catalogue/TargetFirmware.h"
#include "controls/LocalizeControls.h"
#include "core/Localization.h"
#include "ui_SelectVersionPage.h"

#include <QShowEvent>

namespace velt {
namespace {

QStringList versionNamesOfChosenModel()
{
    return targetFirmware().versionNamesForLot(targetFirmware().lotName);
}

} // namespace

SelectVersionViewController::SelectVersionViewController(QWidget* parent)
    : QWidget(parent), m_ui(new Ui::SelectVersionPage)
{
    m_ui->setupUi(this);
    localizeControls(*this);
    m_ui->infoTextArea->clear();
    const QStringList labels = versionLabels(versionNamesOfChosenModel());
    m_ui->selector->addItems(labels);
    m_ui->selector->setCurrentIndex(int(labels.size()) - 1);
    connect(m_ui->selector, &QComboBox::activated, this,
            &SelectVersionViewController::sourceSelected);
    connect(m_ui->nextButton, &QPushButton::clicked, this,
            &SelectVersionViewController::nextRequested);
    connect(m_ui->backButton, &QPushButton::clicked, this,
            &SelectVersionViewController::backRequested);
    sourceSelected();
}

SelectVersionViewController::~SelectVersionViewController() = default;

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

void SelectVersionViewController::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        m_ui->selector->setFocus(Qt::OtherFocusReason);
}

void SelectVersionViewController::sourceSelected()
{
    // Read out with the list's name: what is chosen now.
    m_ui->selector->setAccessibleDescription(m_ui->selector->currentText());
    if (m_ui->selector->currentText().isEmpty())
        return;
    m_ui->nextButton->setEnabled(false);

    const QStringList versionNames = versionNamesOfChosenModel();
    const int position = m_ui->selector->currentIndex();
    if (position < 0 || position >= versionNames.size())
        return;
    const std::shared_ptr<FirmwareVersion> version =
        firmwareList().version(versionNames.at(position));
    if (!version) {
        m_ui->infoTextArea->setPlainText(localizedString("Error_CodeInconsistency"));
        return;
    }
    m_ui->infoTextArea->setPlainText(localizedString("Caption_ReleaseDate") + QStringLiteral(": ") +
                                     version->releaseDate);
    targetFirmware().firmwareVersion = version;
    m_ui->nextButton->setEnabled(true);
}

} // namespace velt
