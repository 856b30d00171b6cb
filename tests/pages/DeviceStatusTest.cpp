// SPDX-License-Identifier: Apache-2.0
#include "core/Localization.h"
#include "pages/DFUSetupInfoViewController.h"
#include "support/WizardTest.h"

#include <QLabel>
#include <QTest>

namespace velt::test {
namespace {

// The page on its own, with the fixture's English texts and simulated device.
using DeviceStatus = WizardTest;

QString statusLine(const QWidget& page)
{
    const auto* line = page.findChild<QLabel*>("deviceStatusField");
    return line && line->isVisibleTo(&page) ? line->text() : QStringLiteral("<none>");
}

// The build tree's flashing tool watches its simulated device, plugged in by creating a file;
// a tool that cannot watch leaves no line at all.
TEST_F(DeviceStatus, FollowsTheDeviceWhileShownAndStopsTheToolWithThePage)
{
    DFUSetupInfoViewController blind("/nonexistent/dfu-util");
    blind.show();
    const QString plug = folder.filePath("plugged");
    wizard.simulateDevice("presence-file=" + plug);
    auto page = std::make_unique<DFUSetupInfoViewController>(VELT_TOOL_PATH);
    page->show();
    const auto shows = [&](const char* key) {
        return QTest::qWaitFor([&] { return statusLine(*page) == localizedString(key); }, 10000);
    };
    ASSERT_TRUE(shows("Info_DeviceNotFound")) << statusLine(*page).toStdString();
    QFile(plug).open(QIODevice::WriteOnly);
    ASSERT_TRUE(shows("Info_DeviceConnected")) << statusLine(*page).toStdString();
    QFile::remove(plug);
    ASSERT_TRUE(shows("Info_DeviceNotFound")) << statusLine(*page).toStdString();
    EXPECT_TRUE(page->findChild<QWidget*>("nextButton")->isEnabled());
    EXPECT_EQ(statusLine(blind), "<none>");

    // The tool is this process's only child (the kernel lists the main thread's children), and
    // goes with the page.
    const auto children = [] {
        const QString list = u"/proc/self/task/%1/children"_qs;
        return readFile(list.arg(QCoreApplication::applicationPid())).trimmed();
    };
    EXPECT_NE(children(), "");
    page.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return children().isEmpty(); }, 10000));
}

// What the watch tells apart reaches the page as a sentence in the user's language.
TEST_F(DeviceStatus, SaysWhatIsWrongWithTheDevice)
{
    using enum DeviceWatcher::Presence;
    const std::pair<const char*, DeviceWatcher::Presence> cases[] = {
        {"duplicate", Several}, {"busy", Busy}, {"access", Denied}};
    for (const auto& [device, state] : cases) {
        wizard.simulateDevice(QString::fromLatin1(device));
        DFUSetupInfoViewController page(VELT_TOOL_PATH);
        page.show();
        // The advice for a denied device depends on this machine's udev rule.
        const QString expected =
            DeviceWatcher::stateText(state, DeviceWatcher::AccessContext::current());
        EXPECT_TRUE(QTest::qWaitFor([&] { return statusLine(page) == expected; }, 10000))
            << device << ": " << statusLine(page).toStdString();
    }
}

} // namespace
} // namespace velt::test
