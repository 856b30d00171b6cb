// SPDX-License-Identifier: Apache-2.0
#include "core/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>
#include <unistd.h>

namespace velt {

namespace {

const QString lockFileName = QStringLiteral("velt-firmware-updater.lock");

} // namespace

SingleInstance::SingleInstance(const QString& lockPath) : m_path(lockPath), m_lock(lockPath)
{
    // By default QLockFile calls a lock older than 30 s stale and lets the next start take it,
    // while the instance that holds it may be writing a device. Only a dead holder makes a lock
    // stale here; QLockFile checks that the process named in the file still runs.
    m_lock.setStaleLockTime(0);
}

SingleInstance::Outcome SingleInstance::tryAcquire()
{
    m_holderPid = 0;
    m_errorText.clear();
    if (m_lock.tryLock(0))
        return Outcome::Acquired;
    switch (m_lock.error()) {
    case QLockFile::LockFailedError: {
        QString hostName;
        QString appName;
        m_lock.getLockInfo(&m_holderPid, &hostName, &appName);
        return Outcome::HeldByAnother;
    }
    case QLockFile::PermissionError:
        m_errorText = QStringLiteral("no permission to create %1").arg(m_path);
        break;
    default:
        m_errorText = QStringLiteral("cannot create %1").arg(m_path);
        break;
    }
    return Outcome::Failed;
}

QString SingleInstance::defaultLockPath()
{
    const QStandardPaths::StandardLocation places[] = {
        QStandardPaths::RuntimeLocation,
        QStandardPaths::AppLocalDataLocation,
    };
    for (const QStandardPaths::StandardLocation place : places) {
        const QString folder = QStandardPaths::writableLocation(place);
        if (!folder.isEmpty() && QDir().mkpath(folder))
            return QDir(folder).filePath(lockFileName);
    }
    // Shared by every user: the user id keeps one user's lock from refusing another's start.
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("velt-firmware-updater-%1.lock").arg(::getuid()));
}

} // namespace velt
