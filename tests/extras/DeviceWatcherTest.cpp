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

// A stand-in for the tool's watch mode: reports absent, then present, then waits for its input
// to close, as the tool does.
QString writeWatchScript(const QTemporaryDir& dir)
{
    const QString path = dir.filePath("watch");
    QFile script(path);
    script.open(QIODevice::WriteOnly);
    script.write("#!/bin/sh\necho absent\nsleep 0.2\necho present\nexec cat >/dev/null\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

TEST(DeviceWatcher, FollowsTheToolsLinesAndStopsItWhenDestroyed)
{
    QTemporaryDir dir;
    auto watcher = std::make_unique<DeviceWatcher>(writeWatchScript(dir), "0a12", "ffff");
    QSignalSpy changes(watcher.get(), &DeviceWatcher::presenceChanged);
    watcher->start();
    QTRY_COMPARE_WITH_TIMEOUT(changes.size(), 2, 5000);
    EXPECT_EQ(changes[0][0].value<Presence>(), Presence::Absent);
    EXPECT_EQ(changes[1][0].value<Presence>(), Presence::Present);

    QElapsedTimer stopping;
    stopping.start();
    watcher.reset();
    EXPECT_LT(stopping.elapsed(), 1000);
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
