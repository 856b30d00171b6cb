// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>
#include <chrono>

class QDBusPendingCallWatcher;

namespace velt {

// Keeps the machine from suspending, shutting down or going idle while it is held, through a
// systemd-logind "block" inhibitor: logind holds the lock exactly as long as the file
// descriptor it hands out stays open. Without logind (no system bus, no service, a refusal or
// no answer in time) one diagnostic line is written and the application goes on without it.
// Main thread only; the request is asynchronous, so the window never waits for the bus.
class SleepInhibitor : public QObject
{
    Q_OBJECT

public:
    // busAddress: the bus to ask; empty for the system bus.
    explicit SleepInhibitor(QString why, QString busAddress = {}, QObject* parent = nullptr);
    ~SleepInhibitor() override;

    // Takes the inhibitor (if not already held or asked for) or lets it go at once. A request
    // still on its way when the hold ends is let go as soon as its answer arrives.
    void setHeld(bool held);
    // logind has answered and the lock is in place.
    bool isInhibiting() const { return m_lock.isValid(); }

    static constexpr std::chrono::milliseconds replyTimeout{5'000};

private:
    void request();
    void answered(QDBusPendingCallWatcher* watcher);
    void reportUnavailable(const QString& reason);

    QString m_why;
    QString m_busAddress;
    QString m_connectionName;
    QDBusUnixFileDescriptor m_lock;
    QDBusPendingCallWatcher* m_pending = nullptr;
    bool m_wanted = false;
    bool m_reported = false;
};

} // namespace velt
