// SPDX-License-Identifier: Apache-2.0
#include "support/StandInLogind.h"

#include <QDBusConnection>
#include <QStandardPaths>
#include <poll.h>
#include <unistd.h>

namespace velt::test {

StandInLogind::~StandInLogind()
{
    QDBusConnection::disconnectFromBus(QStringLiteral("stand-in"));
    m_bus.terminate();
    m_bus.waitForFinished(5000);
    for (int fd : m_readEnds)
        ::close(fd);
}

QString StandInLogind::startBus(bool serveLogind)
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        return {};
    m_bus.start(daemon, {"--session", "--nofork", "--print-address=1"});
    if (!m_bus.waitForReadyRead(5000))
        return {};
    const QString address = QString::fromUtf8(m_bus.readLine().trimmed());
    if (serveLogind) {
        QDBusConnection service =
            QDBusConnection::connectToBus(address, QStringLiteral("stand-in"));
        if (!service.registerService(QStringLiteral("org.freedesktop.login1")) ||
            !service.registerObject(QStringLiteral("/org/freedesktop/login1"), this,
                                    QDBusConnection::ExportAllSlots))
            return {};
    }
    return address;
}

bool StandInLogind::released(size_t call) const
{
    if (call >= m_readEnds.size())
        return false;
    pollfd hangup{m_readEnds[call], POLLIN, 0};
    return ::poll(&hangup, 1, 0) == 1 && (hangup.revents & POLLHUP);
}

QDBusUnixFileDescriptor StandInLogind::Inhibit(const QString& what, const QString& who,
                                               const QString& why, const QString& mode)
{
    calls << QStringList({what, who, why, mode}).join(u'|');
    int ends[2];
    if (::pipe(ends) != 0)
        return {};
    m_readEnds.push_back(ends[0]);
    QDBusUnixFileDescriptor lock(ends[1]); // keeps a copy of its own
    ::close(ends[1]);
    return lock;
}

} // namespace velt::test
