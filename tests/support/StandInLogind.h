// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <vector>

namespace velt::test {

// A private message bus with a stand-in for systemd-logind's manager on it: records each Inhibit
// call and hands out the write end of a pipe, whose read end shows when every copy of the lock
// has been closed.
class StandInLogind : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    ~StandInLogind() override;

    // Starts the bus (empty: dbus-daemon is missing, or did not start) and, when asked, puts
    // the stand-in on it under logind's name.
    QString startBus(bool serveLogind);

    // Whether the lock handed out by the call-th Inhibit has been let go.
    bool released(size_t call) const;

    QStringList calls;

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode);

private:
    QProcess m_bus;
    std::vector<int> m_readEnds;
};

} // namespace velt::test
