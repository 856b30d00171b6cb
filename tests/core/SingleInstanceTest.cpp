// SPDX-License-Identifier: Apache-2.0
// The one-instance lock against a real second process: refused while that process holds it,
// taken over once the holder has gone, however it went.
#include "core/SingleInstance.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace velt {
namespace {

// The holder's lock file stays behind when it is killed; a lock of a process that has gone is
// taken over all the same.
TEST(SingleInstance, SecondStartIsRefusedOnlyWhileTheHolderRuns)
{
    for (const bool killed : {false, true}) {
        SCOPED_TRACE(killed ? "holder killed" : "holder running");
        QTemporaryDir folder;
        const QString lockPath = folder.filePath(QStringLiteral("instance.lock"));
        QProcess holder;
        holder.start(QStringLiteral(VELT_LOCK_HOLDER), {lockPath});
        while (!holder.canReadLine())
            ASSERT_TRUE(holder.waitForReadyRead(10000)) << "the holder never took the lock";
        ASSERT_EQ(holder.readLine().trimmed(), "held");
        const qint64 holderPid = holder.processId();
        if (killed) {
            holder.kill();
            ASSERT_TRUE(holder.waitForFinished(10000));
            ASSERT_TRUE(QFileInfo::exists(lockPath));
        }
        SingleInstance second(lockPath);
        EXPECT_EQ(second.tryAcquire(), killed ? SingleInstance::Outcome::Acquired
                                              : SingleInstance::Outcome::HeldByAnother);
        if (!killed) {
            EXPECT_EQ(second.holderPid(), holderPid);
        }
        holder.closeWriteChannel();
        holder.waitForFinished(10000);
    }
    // A lock that cannot be made is a failure with a reason, not a refusal naming a process.
    SingleInstance unwritable(QStringLiteral("/nonexistent-folder/instance.lock"));
    EXPECT_EQ(unwritable.tryAcquire(), SingleInstance::Outcome::Failed);
    EXPECT_FALSE(unwritable.errorText().isEmpty());
}

} // namespace
} // namespace velt
