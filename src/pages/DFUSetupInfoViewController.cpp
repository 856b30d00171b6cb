// SPDX-License-Identifier: Apache-2.0
#include "pages/DFUSetupInfoViewController.h"

#include "catalogue/FirmwareList.h"
#include "controls/LocalizableField.h"
#include "controls/LocalizeControls.h"
#include "ui_DFUSetupPage.h"

#include <QShowEvent>

namespace velt {

DFUSetupInfoViewController::DFUSetupInfoViewController(const QString& toolPath, QWidget* parent)
    : QWidget(parent), m_ui(new Ui::DFUSetupPage)
{
    m_ui->setupUi(this);
    localizeControls(*this);
    connect(m_ui->nextButton, &QPushButton::clicked, this,
            &DFUSetupInfoViewController::nextRequested);
    connect(m_ui->backButton, &QPushButton::clicked, this,
            &DFUSetupInfoViewController::backRequested);
    if (toolPath.isEmpty())
        return;

    m_deviceStatus = new LocalizableField(this);
    m_deviceStatus->setObjectName(QStringLiteral("deviceStatusField"));
    m_deviceStatus->setWordWrap(true);
    m_deviceStatus->setTextFormat(Qt::PlainText);
    m_deviceStatus->hide();
    m_ui->bodyLayout->insertWidget(m_ui->bodyLayout->indexOf(m_ui->instructions) + 1,
                                   m_deviceStatus);
    m_watcher = new DeviceWatcher(toolPath, QString::fromLatin1(dfuVendorId),
                                  QString::fromLatin1(dfuProductId), this);
    connect(m_watcher, &DeviceWatcher::presenceChanged, this,
            &DFUSetupInfoViewController::showPresence);
}

DFUSetupInfoViewController::~DFUSetupInfoViewController() = default;

// Watched only while the page is on screen: under the update page the tool must have the
// device to itself.
void DFUSetupInfoViewController::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The page's first control in reading order is Back; the one a user came here for is Next.
    if (!event->spontaneous())
        m_ui->nextButton->setFocus(Qt::OtherFocusReason);
    if (m_watcher)
        m_watcher->start();
}

void DFUSetupInfoViewController::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (m_watcher)
        m_watcher->stop();
}

void DFUSetupInfoViewController::showPresence(DeviceWatcher::Presence presence)
{
    // Unknown (the tool could not watch): no line rather than a guess.
    m_deviceStatus->setVisible(presence != DeviceWatcher::Presence::Unknown);
    if (presence == DeviceWatcher::Presence::Unknown)
        return;
    m_deviceStatus->setText(
        DeviceWatcher::stateText(presence, presence == DeviceWatcher::Presence::Denied
                                               ? DeviceWatcher::AccessContext::current()
                                               : DeviceWatcher::AccessContext()));
}

} // namespace velt
