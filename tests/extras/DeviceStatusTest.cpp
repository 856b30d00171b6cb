// SPDX-License-Identifier: Apache-2.0
#include "core/Localization.h"
#include "pages/DFUSetupInfoViewController.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace velt {
namespace {

QString statusLine(const QWidget& page)
{
    const auto* line = page.findChild<QLabel*>("deviceStatusField");
    return line && line->isVisibleTo(&page) ? line->text() : QStringLiteral("<none>");
}

// The build tree's flashing tool watches its simulated device, plugged in by creating a file.
TEST(DeviceStatus, FollowsTheDeviceWhileShownAndStopsTheToolWithThePage)
{
    QTemporaryDir dir;
    const QString plug = dir.filePath("plugged");
    qputenv("VELT_DFU_SIMULATOR", "presence-file=" + plug.toUtf8());
    auto page = std::make_unique<DFUSetupInfoViewController>(VELT_TOOL_PATH);
    page->show();
    qunsetenv("VELT_DFU_SIMULATOR");
    const QString none = localizedString("Info_DeviceNotFound");
    const QString connected = localizedString("Info_DeviceConnected");
    ASSERT_TRUE(QTest::qWaitFor([&] { return statusLine(*page) == none; }, 5000))
        << statusLine(*page).toStdString();
    QFile(plug).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QTest::qWaitFor([&] { return statusLine(*page) == connected; }, 1000))
        << statusLine(*page).toStdString();
    QFile::remove(plug);
    ASSERT_TRUE(QTest::qWaitFor([&] { return statusLine(*page) == none; }, 1000))
        << statusLine(*page).toStdString();
    EXPECT_TRUE(page->findChild<QWidget*>("nextButton")->isEnabled());

    QElapsedTimer stopping;
    stopping.start();
    page.reset();
    EXPECT_LT(stopping.elapsed(), 500);
}

TEST(DeviceStatus, NoLineWhenTheToolCannotWatch)
{
    DFUSetupInfoViewController page("/nonexistent/dfu-util");
    page.show();
    QTest::qWait(200);
    EXPECT_EQ(statusLine(page), "<none>");
}

} // namespace
} // namespace velt
