#include "update/DeviceWatcher.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace velt {
namespace {

using Presence = DeviceWatcher::Presence;

// The build tree's flashing tool with its simulated device, plugged in by creating a file.
TEST(DeviceWatcher, FollowsTheSimulatedDeviceAndStopsTheToolWhenDestroyed)
{
    QTemporaryDir dir;
    const QString plug = dir.filePath("plugged");
    qputenv("VELT_DFU_SIMULATOR", "presence-file=" + plug.toUtf8());
    auto watcher = std::make_unique<DeviceWatcher>(VELT_TOOL_PATH, "0a12", "ffff");
    QSignalSpy changes(watcher.get(), &DeviceWatcher::presenceChanged);
    watcher->start();
    qunsetenv("VELT_DFU_SIMULATOR");
    QTRY_COMPARE_WITH_TIMEOUT(watcher->presence(), Presence::Absent, 5000);
    QFile(plug).open(QIODevice::WriteOnly);
    QTRY_COMPARE_WITH_TIMEOUT(watcher->presence(), Presence::Present, 1000);
    QFile::remove(plug);
    QTRY_COMPARE_WITH_TIMEOUT(watcher->presence(), Presence::Absent, 1000);
    EXPECT_EQ(changes.size(), 3);

    QElapsedTimer stopping;
    stopping.start();
    watcher.reset();
    EXPECT_LT(stopping.elapsed(), 500);
}

TEST(DeviceWatcher, AToolThatCannotStartLeavesThePresenceUnknown)
{
    DeviceWatcher watcher("/nonexistent/dfu-util", "0a12", "ffff");
    QSignalSpy changes(&watcher, &DeviceWatcher::presenceChanged);
    watcher.start();
    QTest::qWait(200);
    EXPECT_EQ(watcher.presence(), Presence::Unknown);
    EXPECT_EQ(changes.size(), 0);
}

} // namespace
} // namespace velt
