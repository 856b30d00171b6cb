// SPDX-License-Identifier: Apache-2.0
// The whole application at once: the demo catalogue and images from a server on 127.0.0.1,
// the real flashing tool from the build's resource folder talking to its simulated device.
#include "app/MainWindow.h"
#include "cli/TerminationSignals.h"
#include "support/WizardTest.h"

#include <QProgressBar>
#include <csignal>
#include <unistd.h>

namespace velt::test {
namespace {

constexpr int dfuSuffixLength = 16;

using EndToEndTest = WizardTest;

// The quit guard holds only while the tool runs, against Ctrl-C too; the run writes the served
// image and Finish ends the application. The faults of a run are covered by the flashing fault
// matrix.
TEST_F(EndToEndTest, QuitIsRefusedOnlyWhileTheToolWritesAndFinishEndsTheApplication)
{
    serveDemo();
    // The walk picks the demo's first model and its newest version.
    const QByteArray image = readFile(demoDir + "dfu/velt-one-1.2.0.dfu");
    // A device slow enough (about 1.3 s) to be caught in the middle of the write.
    wizard.simulateDevice(QStringLiteral("poll-ms=20"));
    wizard.logLines(); // from now on
    ASSERT_STEP(wizard.walkTo(QStringLiteral("UpdateProgressPage"), QStringLiteral("Velt One")));
    auto* bar = wizard.control<QProgressBar>("progressIndicator");
    ASSERT_STEP(wizard.waitUntil(QStringLiteral("the write"), [&] {
        return wizard.delegate().disableQuitApp() && bar->value() > 0;
    }));
    EXPECT_EQ(wizard.delegate().applicationShouldTerminate(), AppDelegate::TerminateCancel);
    EXPECT_FALSE(wizard.delegate().terminate());
    EXPECT_FALSE(wizard.window()->close());
    // Ctrl-C to the whole process group, as a terminal sends it: refused the same way, and the
    // tool, in a group of its own, never sees it.
    TerminationSignals terminations;
    wizard.delegate().quitOnTerminationSignals(terminations);
    ASSERT_EQ(::setpgid(0, 0), 0);
    ASSERT_EQ(::kill(0, SIGINT), 0);
    ASSERT_STEP(wizard.waitForLogLine(QStringLiteral("signal 2: quit requested")));
    // The device records what it received when the run ends: it had not ended yet.
    EXPECT_TRUE(wizard.deviceReceived().isEmpty());
    EXPECT_EQ(wizard.quits(), 0);

    ASSERT_STEP(wizard.waitForLogLine(QStringLiteral(VELT_TOOL_PATH " succeeded.")));
    ASSERT_STEP(wizard.waitForEnd());
    EXPECT_TRUE(wizard.quitGuardDown());
    EXPECT_EQ(wizard.alertText(), "");
    EXPECT_EQ(wizard.text("infoTextArea"),
              "The firmware was updated successfully. You can now disconnect the device.");
    EXPECT_EQ(std::pair(bar->value(), bar->maximum()),
              std::pair(int(image.size()) - dfuSuffixLength, int(image.size()) - dfuSuffixLength));
    EXPECT_TRUE(readFile(wizard.settings.documentsFolder + "/veltFirmwareUpdate.dfu") == image);
    EXPECT_EQ(wizard.toolRuns(), 1);
    EXPECT_TRUE(wizard.deviceReceived() == image.chopped(dfuSuffixLength));
    EXPECT_EQ(wizard.quits(), 0);
    wizard.pressReturn(); // Finish is the default button
    EXPECT_EQ(wizard.quits(), 1);
}

} // namespace
} // namespace velt::test
