// SPDX-License-Identifier: Apache-2.0
#include "core/SleepInhibitor.h"

#include "support/FdCapture.h"
#include "support/StandInLogind.h"

#include <QTest>
#include <gtest/gtest.h>

namespace velt {
namespace {

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
