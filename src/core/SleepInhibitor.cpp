// SPDX-License-Identifier: Apache-2.0
#include "core/SleepInhibitor.h"

#include "core/Diagnostics.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <atomic>

namespace velt {

SleepInhibitor::SleepInhibitor(QString why, QString busAddress, QObject* parent)
    : QObject(parent), m_why(std::move(why)), m_busAddress(std::move(busAddress))
{
    if (!m_busAddress.isEmpty()) {
        static std::atomic<int> serial{0};
        m_connectionName = QStringLiteral("velt-sleep-inhibitor-%1").arg(++serial);
    }
}

SleepInhibitor::~SleepInhibitor()
{
    m_wanted = false;
    delete m_pending;
    m_lock = QDBusUnixFileDescriptor();
    if (!m_connectionName.isEmpty())
        QDBusConnection::disconnectFromBus(m_connectionName);
}

void SleepInhibitor::setHeld(bool held)
{
    m_wanted = held;
    if (!held) {
        // Closing our copy of the descriptor is what lifts logind's lock.
        m_lock = QDBusUnixFileDescriptor();
        return;
    }
    if (!m_lock.isValid() && !m_pending)
        request();
}

void SleepInhibitor::request()
{
    QDBusConnection bus = m_busAddress.isEmpty()
                              ? QDBusConnection::systemBus()
                              : QDBusConnection::connectToBus(m_busAddress, m_connectionName);
    if (!bus.isConnected()) {
        reportUnavailable(QStringLiteral("no system bus (%1)").arg(bus.lastError().message()));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:shutdown:idle") << QCoreApplication::applicationName() << m_why
         << QStringLiteral("block");
    m_pending = new QDBusPendingCallWatcher(
        bus.asyncCall(call, static_cast<int>(replyTimeout.count())), this);
    connect(m_pending, &QDBusPendingCallWatcher::finished, this, &SleepInhibitor::answered);
}

void SleepInhibitor::answered(QDBusPendingCallWatcher* watcher)
{
    m_pending = nullptr;
    // The answer's message keeps a copy of the descriptor; let it go with the watcher.
    watcher->deleteLater();
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *watcher;
    if (reply.isError()) {
        reportUnavailable(reply.error().message());
        return;
    }
    if (m_wanted)
        m_lock = reply.value();
}

void SleepInhibitor::reportUnavailable(const QString& reason)
{
    if (m_reported)
        return;
    m_reported = true;
    logLine(QStringLiteral("The machine may sleep during the update: no logind "
                           "inhibitor (%1).")
                .arg(reason));
}

} // namespace velt
