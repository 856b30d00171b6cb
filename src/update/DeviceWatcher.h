// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>

namespace velt {

// Follows the state of the device in DFU mode by running the flashing tool in its watch mode
// ("dfu-util --watch VID PID") as a child: the tool prints one word for the state once at start
// and again on each change, and sleeps in between, so watching costs nothing while nothing
// happens. The child is stopped when the watcher goes. Main thread only.
class DeviceWatcher : public QObject
{
    Q_OBJECT

public:
    enum class Presence {
        Unknown, // the tool cannot watch
        Absent,
        Present, // exactly one device, ready
        Several, // more than one: the tool would refuse to choose
        Denied,  // a device this user may not open
        Busy,    // a device another program holds
    };
    Q_ENUM(Presence)

    // What decides the advice for a device this user may not open.
    struct AccessContext
    {
        bool ruleInstalled = false; // our udev rule is in one of udev's folders
        bool localSession = false;  // logind reports a session at a local seat
        // The state of this machine and of this user's session.
        static AccessContext current();
    };

    // The message key of the state in the user's words, for the DFU setup page, the command line
    // and the alert of a flashing run that failed for it; null for Unknown.
    static const char* stateKey(Presence presence, const AccessContext& access);
    // The same, localized; empty for Unknown.
    static QString stateText(Presence presence, const AccessContext& access);

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
