// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>

namespace velt {

// Follows whether the device in DFU mode is connected by running the flashing tool in its watch
// mode ("dfu-util --watch VID PID") as a child: the tool prints its word for the state
// ("present", "absent", "several", "denied", "busy") once at start and again on each change, and
// sleeps in between, so watching costs nothing while nothing happens. The child is stopped when the
// watcher goes. Main thread only.
class DeviceWatcher : public QObject
{
    Q_OBJECT

public:
    // Several, Denied and Busy: a device is there that the tool cannot have to itself (more
    // than one, no access, held by another program).
    enum class Presence { Unknown, Absent, Present, Several, Denied, Busy };
    Q_ENUM(Presence)

    DeviceWatcher(QString toolPath, QString vendorId, QString productId, QObject* parent = nullptr);
    ~DeviceWatcher() override;

    // Starts the tool; later calls do nothing while it runs.
    void start();
    // Closes the tool's input, which ends it; a tool that does not end promptly is terminated.
    // The presence becomes unknown.
    void stop();
    Presence presence() const { return m_presence; }

signals:
    // Unknown when the tool could not be started or has ended on its own.
    void presenceChanged(velt::DeviceWatcher::Presence presence);

private:
    void stopTool();
    void readLines();
    void setPresence(Presence presence);
    void lost(const QString& reason);

    QString m_toolPath;
    QStringList m_arguments;
    QProcess m_tool;
    QByteArray m_pending;
    Presence m_presence = Presence::Unknown;
    bool m_stopping = false;
};

} // namespace velt
