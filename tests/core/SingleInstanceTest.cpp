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

TEST(SingleInstance, SecondStartIsRefusedOnlyWhileTheHolderRuns)
{
    enum class Holder { Running, Exited, Killed };
    const struct
    {
        const char* name;
        Holder holder;
        SingleInstance::Outcome expected;
    } cases[] = {
        {"holder running", Holder::Running, SingleInstance::Outcome::HeldByAnother},
        {"holder exited", Holder::Exited, SingleInstance::Outcome::Acquired},
        // SIGKILL: the holder leaves its lock file behind.
        {"holder killed", Holder::Killed, SingleInstance::Outcome::Acquired},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        const QString lockPath = folder.filePath(QStringLiteral("instance.lock"));
        QProcess holder;
        holder.start(QStringLiteral(VELT_LOCK_HOLDER), {lockPath});
        while (!holder.canReadLine())
            ASSERT_TRUE(holder.waitForReadyRead(10000)) << "the holder never took the lock";
        ASSERT_EQ(holder.readLine().trimmed(), "held");
        const qint64 holderPid = holder.processId();
        if (c.holder == Holder::Killed)
            holder.kill();
        if (c.holder != Holder::Running) {
            holder.closeWriteChannel();
            ASSERT_TRUE(holder.waitForFinished(10000));
            ASSERT_EQ(QFileInfo::exists(lockPath), c.holder == Holder::Killed);
        }
        SingleInstance second(lockPath);
        EXPECT_EQ(second.tryAcquire(), c.expected);
        if (c.holder == Holder::Running) {
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
