// SPDX-License-Identifier: Apache-2.0
// Every test executable runs its cases inside a QApplication (offscreen in ctest), so that
// network replies, timers, child processes and widgets behave as in the application.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Tests never need a display; screenshots are taken by their own script under Xvfb.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
