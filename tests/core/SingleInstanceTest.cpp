// SPDX-License-Identifier: Apache-2.0
// The one-instance lock against a real second process: refused while that process holds it,
// taken over once the holder has gone, however it went.
#include "core/SingleInstance.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

namespace {

enum class Holder { Running, Exited, Killed };

struct LockCase
{
    const char* name;
    Holder holder;
    velt::SingleInstance::Outcome expected;
};

// ctest lists the row by its name rather than its bytes.
void PrintTo(const LockCase& row, std::ostream* out)
{
    *out << row.name;
}

class SingleInstanceTest : public ::testing::TestWithParam<LockCase>
{
};

TEST_P(SingleInstanceTest, SecondStart)
{
    const LockCase& row = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString lockPath = folder.filePath(QStringLiteral("instance.lock"));

    QProcess holder;
    holder.start(QStringLiteral(VELT_LOCK_HOLDER), {lockPath});
    ASSERT_TRUE(holder.waitForStarted(10000));
    while (!holder.canReadLine())
        ASSERT_TRUE(holder.waitForReadyRead(10000)) << "the holder never took the lock";
    ASSERT_EQ(holder.readLine().trimmed(), "held");
    const qint64 holderPid = holder.processId();

    switch (row.holder) {
    case Holder::Running:
        break;
    case Holder::Exited:
        holder.closeWriteChannel();
        ASSERT_TRUE(holder.waitForFinished(10000));
        ASSERT_EQ(holder.exitCode(), 0);
        break;
    case Holder::Killed:
        // SIGKILL: the holder leaves its lock file behind.
        holder.kill();
        ASSERT_TRUE(holder.waitForFinished(10000));
        ASSERT_TRUE(QFileInfo::exists(lockPath));
        break;
    }

    velt::SingleInstance second(lockPath);
    EXPECT_EQ(second.tryAcquire(), row.expected);
    if (row.expected == velt::SingleInstance::Outcome::HeldByAnother) {
        EXPECT_EQ(second.holderPid(), holderPid);
    }

    if (holder.state() != QProcess::NotRunning) {
        holder.closeWriteChannel();
        ASSERT_TRUE(holder.waitForFinished(10000));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lock, SingleInstanceTest,
    ::testing::Values(
        LockCase{"HolderRunning", Holder::Running, velt::SingleInstance::Outcome::HeldByAnother},
        LockCase{"HolderExited", Holder::Exited, velt::SingleInstance::Outcome::Acquired},
        LockCase{"HolderKilled", Holder::Killed, velt::SingleInstance::Outcome::Acquired}),
    [](const ::testing::TestParamInfo<LockCase>& info) { return std::string(info.param.name); });

// A lock that cannot be made is a failure with a reason, not a refusal naming a process.
TEST(SingleInstance, UnwritableFolderFailsWithAReason)
{
    velt::SingleInstance instance(QStringLiteral("/nonexistent-folder/instance.lock"));
    EXPECT_EQ(instance.tryAcquire(), velt::SingleInstance::Outcome::Failed);
    EXPECT_FALSE(instance.errorText().isEmpty());
}

} // namespace
