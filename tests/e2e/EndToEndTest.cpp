// SPDX-License-Identifier: Apache-2.0
// The whole application at once: the demo catalogue and images from a server on 127.0.0.1,
// the real flashing tool from the build's resource folder talking to its simulated device.
#include "app/MainWindow.h"
#include "core/Localization.h"
#include "support/WizardTest.h"

#include <QProgressBar>

namespace velt::test {
namespace {

using test::PrintTo; // names the table rows in failure messages

// What the walks pick: the demo's first model and its newest version.
const QString model = QStringLiteral("Velt One");
const QString demo = QStringLiteral(VELT_DEMO_DIR "/updater/");
constexpr int dfuSuffixLength = 16;

class EndToEndTest : public WizardTest
{
protected:
    EndToEndTest()
    {
        serve(cataloguePath(), WizardFixture::readFile(demo + "firmwareList.json"));
        for (const QString& name : QDir(demo + "dfu").entryList(QDir::Files))
            serve("/updater/dfu/" + name, WizardFixture::readFile(demo + "dfu/" + name));
    }

    const QByteArray image = WizardFixture::readFile(demo + "dfu/velt-one-1.2.0.dfu");
    const QByteArray otherImage = WizardFixture::readFile(demo + "dfu/velt-one-1.1.0.dfu");
};

TEST_F(EndToEndTest, UpdateWritesTheServedImageAndFinishEndsTheApplication)
{
    EXPECT_EQ(wizard.settings.toolPath, QStringLiteral(VELT_TOOL_PATH));
    wizard.simulateDevice(QStringLiteral("1"));
    ASSERT_STEP(wizard.walkTo(QStringLiteral("UpdateProgressPage"), model));
    ASSERT_STEP(wizard.waitForLogLine(QStringLiteral(VELT_TOOL_PATH " succeeded.")));
    ASSERT_STEP(wizard.waitForEnd());
    EXPECT_EQ(wizard.alertText(), "");
    EXPECT_EQ(wizard.text("infoTextArea"),
              "The firmware was updated successfully. You can now disconnect the device.");
    auto* bar = wizard.control<QProgressBar>("progressIndicator");
    EXPECT_EQ(bar->value(), image.size() - dfuSuffixLength);
    EXPECT_EQ(bar->maximum(), image.size() - dfuSuffixLength);
    EXPECT_TRUE(WizardFixture::readFile(wizard.firmwareFile()) == image);
    EXPECT_EQ(wizard.toolRuns(), 1);
    EXPECT_TRUE(wizard.deviceReceived() == image.chopped(dfuSuffixLength));

    EXPECT_EQ(wizard.quits(), 0);
    ASSERT_STEP(wizard.click("button"));
    EXPECT_EQ(wizard.quits(), 1);
}

struct Failure
{
    const char* name;
    const char* device;
    const char* alertKey;
    int toolRuns;
    bool listOtherDigest = false;
};

const Failure failures[] = {
    {"NoDeviceInDfuMode", "absent", "Description_DFUMode", 1},
    {"DigestMismatch", "1", "Error_FileHashDoesNotMatch", 0, true},
};

class EndToEndFailure : public EndToEndTest, public ::testing::WithParamInterface<Failure>
{
};

TEST_P(EndToEndFailure, AlertsAndGoesBackWithTheGuardDown)
{
    const Failure& failure = GetParam();
    if (failure.listOtherDigest) {
        const QByteArray listed = QCryptographicHash::hash(image, QCryptographicHash::Md5).toHex();
        const QByteArray other =
            QCryptographicHash::hash(otherImage, QCryptographicHash::Md5).toHex();
        serve(cataloguePath(),
              WizardFixture::readFile(demo + "firmwareList.json").replace(listed, other));
    }
    wizard.simulateDevice(QString::fromLatin1(failure.device));
    ASSERT_STEP(wizard.walkTo(QStringLiteral("UpdateProgressPage"), model));
    ASSERT_STEP(wizard.waitForAlert());
    EXPECT_EQ(wizard.alertText(), localizedString(failure.alertKey));
    ASSERT_STEP(wizard.waitForPage(QStringLiteral("DFUSetupPage")));
    wizard.pause(200); // past the hand-over
    EXPECT_EQ(wizard.toolRuns(), failure.toolRuns);
    EXPECT_TRUE(wizard.quitGuardDown());
    EXPECT_EQ(wizard.quits(), 0);
}

INSTANTIATE_TEST_SUITE_P(EndToEnd, EndToEndFailure, ::testing::ValuesIn(failures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EndToEndTest, TwoRunsWithoutStatusAreRetriedUntilTheWriteSucceeds)
{
    wizard.simulateDevice(QStringLiteral("failing-runs=2"));
    ASSERT_STEP(wizard.walkTo(QStringLiteral("UpdateProgressPage"), model));
    ASSERT_STEP(wizard.waitForEnd());
    EXPECT_EQ(wizard.alertText(), "");
    EXPECT_EQ(wizard.toolRuns(), 3);
    EXPECT_TRUE(wizard.deviceReceived() == image.chopped(dfuSuffixLength));
}

TEST_F(EndToEndTest, QuitAndCloseAreRefusedOnlyWhileTheToolRuns)
{
    // A device slow enough (about 1.3 s) to be caught in the middle of the write.
    wizard.simulateDevice(QStringLiteral("poll-ms=20"));
    ASSERT_STEP(wizard.walkTo(QStringLiteral("UpdateProgressPage"), model));
    auto* bar = wizard.control<QProgressBar>("progressIndicator");
    ASSERT_STEP(wizard.waitUntil(QStringLiteral("the write"), [&] {
        return wizard.delegate().disableQuitApp() && bar->value() > 0;
    }));
    EXPECT_EQ(wizard.delegate().applicationShouldTerminate(), AppDelegate::TerminateCancel);
    EXPECT_FALSE(wizard.delegate().terminate());
    EXPECT_FALSE(wizard.window()->close());
    EXPECT_TRUE(wizard.window()->isVisible());
    // The device records what it received when the run ends: it had not ended yet.
    EXPECT_TRUE(wizard.deviceReceived().isEmpty());
    EXPECT_EQ(wizard.quits(), 0);

    ASSERT_STEP(wizard.waitForEnd());
    EXPECT_TRUE(wizard.quitGuardDown());
    EXPECT_TRUE(wizard.window()->close());
    EXPECT_EQ(wizard.quits(), 1);
}

// What is written is what was verified: the stored image replaced during the hand-over (by a
// second instance, say) is caught by the digest check before the run, and nothing is run.
TEST_F(EndToEndTest, AnImageReplacedDuringTheHandoverIsNeverWritten)
{
    wizard.settings.handoverDelay = std::chrono::milliseconds(1500);
    wizard.simulateDevice(QStringLiteral("1"));
    wizard.logLines();
    ASSERT_STEP(wizard.walkTo(QStringLiteral("UpdateProgressPage"), model));
    ASSERT_STEP(wizard.waitUntil(QStringLiteral("the stored image"), [&] {
        return WizardFixture::readFile(wizard.firmwareFile()) == image;
    }));
    ASSERT_TRUE(WizardFixture::writeFile(wizard.firmwareFile(), otherImage));
    ASSERT_STEP(wizard.waitForAlert());
    EXPECT_EQ(wizard.alertText(), localizedString("Error_FileHashDoesNotMatch"));
    ASSERT_STEP(wizard.waitForPage(QStringLiteral("DFUSetupPage")));
    EXPECT_EQ(wizard.toolRuns(), 0);
    EXPECT_EQ(wizard.logLines().filter(QStringLiteral(VELT_TOOL_PATH)), QStringList());
    EXPECT_TRUE(wizard.quitGuardDown());
}

} // namespace
} // namespace velt::test
