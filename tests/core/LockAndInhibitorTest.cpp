// SPDX-License-Identifier: Apache-2.0
// The program's holds on the machine: the one-instance lock and the sleep inhibitor.
#include "core/SingleInstance.h"
#include "core/SleepInhibitor.h"

#include "support/FdCapture.h"
#include "support/StandInLogind.h"

#include <QTest>
#include <gtest/gtest.h>

namespace velt {
namespace {

// A lock that cannot be made is a failure with a reason, not a refusal naming a process. The
// lock against real second processes, and taken over from a killed one, is tried with the
// command line's runs (tests/cli).
TEST(SingleInstance, AnUnwritableLockIsAFailureWithAReason)
{
    SingleInstance unwritable(QStringLiteral("/nonexistent-folder/instance.lock"));
    EXPECT_EQ(unwritable.tryAcquire(), SingleInstance::Outcome::Failed);
    EXPECT_FALSE(unwritable.errorText().isEmpty());
}

// A bus without logind, and no bus at all: one line, and the update goes on. (The update
// session's own tests check the hold through a stand-in logind.)
TEST(SleepInhibitor, WithoutLogindWritesOneLineAndGoesOn)
{
    test::StandInLogind bus;
    const QString address = bus.startBus(false);
    if (address.isEmpty())
        GTEST_SKIP() << "dbus-daemon is missing (Debian package dbus-daemon)";
    for (const QString& where : {address, QStringLiteral("unix:path=/nonexistent/bus")}) {
        FdCapture out(STDOUT_FILENO);
        {
            SleepInhibitor inhibitor("Writing", where);
            for (int run = 0; run < 2; ++run) {
                inhibitor.setHeld(true);
                QTest::qWait(300);
                EXPECT_FALSE(inhibitor.isInhibiting());
                inhibitor.setHeld(false);
            }
        }
        const QStringList lines = out.lines();
        ASSERT_EQ(lines.size(), 1) << where.toStdString();
        EXPECT_TRUE(lines[0].startsWith("The machine may sleep"));
    }
}

} // namespace
} // namespace velt
