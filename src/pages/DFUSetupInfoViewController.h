// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/DeviceWatcher.h"

#include <QScopedPointer>
#include <QWidget>

namespace Ui {
class DFUSetupPage;
}

namespace velt {

class LocalizableField;

// Tells the user how to put the device into DFU mode and connect it, and, below the
// instructions, whether a device in DFU mode is connected. The line only informs: Next is
// always enabled.
class DFUSetupInfoViewController : public QWidget
{
    Q_OBJECT

public:
    // toolPath: the flashing tool that watches for the device while the page is shown; without
    // one the page shows no status line.
    explicit DFUSetupInfoViewController(const QString& toolPath = {}, QWidget* parent = nullptr);
    ~DFUSetupInfoViewController() override;

signals:
    void nextRequested();
    void backRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showPresence(DeviceWatcher::Presence presence);

    const QScopedPointer<Ui::DFUSetupPage> m_ui;
    LocalizableField* m_deviceStatus = nullptr;
    DeviceWatcher* m_watcher = nullptr;
};

} // namespace velt
