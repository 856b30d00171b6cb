// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QLockFile>
#include <QString>

namespace velt {

// One running updater per user. Two instances share the Documents folder, so one could replace
// the image the other has just verified before that one writes it into its device. The lock is
// a QLockFile in the user's runtime folder; a lock left behind by an instance that was killed
// names a process that no longer runs, and the next start takes it over.
class SingleInstance
{
public:
    enum class Outcome {
        Acquired,      // this process now holds the lock
        HeldByAnother, // another running instance holds it
        Failed,        // the lock file could not be made (see errorText)
    };

    explicit SingleInstance(const QString& lockPath = defaultLockPath());

    // Takes the lock without waiting. Held until this object goes.
    Outcome tryAcquire();

    // After HeldByAnother: the holder's process id (0 when the lock does not say).
    qint64 holderPid() const { return m_holderPid; }
    // After Failed: why, for the diagnostics.
    QString errorText() const { return m_errorText; }
    QString lockPath() const { return m_path; }

    // The user's runtime folder (XDG_RUNTIME_DIR); where that is unusable, the application's
    // own data folder, and the temporary folder as a last resort.
    static QString defaultLockPath();

private:
    QString m_path;
    QLockFile m_lock;
    qint64 m_holderPid = 0;
    QString m_errorText;
};

} // namespace velt
