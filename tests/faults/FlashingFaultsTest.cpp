// SPDX-License-Identifier: Apache-2.0
// The flashing tool's faults that decide what the window does, through the update page with the
// real tool (the tool's own table covers the rest): each run ends in Finish only when the device
// was written, otherwise in the alert for a device that is not in DFU mode, the status failure, a
// device the tool cannot use, or the tool's own text; back on the instructions, with the quit guard
// down.
#include "core/Localization.h"
#include "support/WizardTest.h"
#include "update/DeviceWatcher.h"

namespace velt::test {
namespace {

// 8 KiB: nine blocks of the simulated device's 1023 bytes, so block 3 is inside the image and
// block 8, eight bytes long, is its last.
const QByteArray image = [] {
    QByteArray payload(8 * 1024, '\0');
    for (qsizetype i = 0; i < payload.size(); ++i)
        payload[i] = char(i * 7 + 1);
    return dfuImage(payload);
}();

// What the user is told: nothing (Finish), or an alert with this key's text; for a device the
// tool cannot use (an Info_ key, or the advice for a denied one), its sentence and then the
// tool's last line.
struct FlashingFault
{
    const char* name;
    const char* device; // VELT_DFU_SIMULATOR
    const char* alert;  // a message key, or null for Finish
    int runs = 1;       // runs of the tool the device sees
};

// The row's name in the messages of failed expectations and in the test list.
void PrintTo(const FlashingFault& row, std::ostream* out)
{
    *out << row.name;
}

// The advice for a device this user may not open depends on this machine's udev rule.
constexpr const char* denied = "denied";

const FlashingFault faults[] = {
    {"NoDevice", "absent", "Description_DFUMode"},
    // A device the tool cannot use: the state's sentence, then the tool's last line.
    {"InterfaceBusy", "busy", "Info_DeviceBusy"},
    {"TwoDevices", "duplicate", "Info_DeviceSeveral"},
    {"AccessDenied", "access", denied},
    // Before any block: retried four times, then reported without a word of writing.
    {"FirstTwoRunsUnanswered", "failing-runs=2", nullptr, 3},
    {"FiveRunsUnanswered", "failing-runs=5", "Error_DeviceDidNotAnswer", 5},
    // After a block was written: reported at once, never retried.
    {"StatusLostMidImage", "getstatus-timeouts=3@3", "Error_FailedToGetStatus"},
    // A status lost at the last block is no restart; one lost after the image is asked for again.
    {"StatusLostAtTheLastBlock", "getstatus-timeouts=3@8", "Error_FailedToGetStatus"},
    {"StatusLostInManifestation", "getstatus-timeouts=3@end", nullptr},
};

class FlashingFaultMatrix : public WizardTest, public ::testing::WithParamInterface<FlashingFault>
{
};

TEST_P(FlashingFaultMatrix, FinishOnlyForAWrittenDeviceAndTheGuardDownAfterwards)
{
    const FlashingFault& fault = GetParam();
    serveOneImage(image);
    wizard.simulateDevice(QString::fromLatin1(fault.device));
    ASSERT_STEP(wizard.walkTo(QStringLiteral("UpdateProgressPage")));
    ASSERT_STEP(wizard.waitForEnd());
    EXPECT_EQ(wizard.toolRuns(), fault.runs);

    if (!fault.alert) {
        EXPECT_EQ(wizard.alertText(), "");
        EXPECT_EQ(wizard.text("button"), localizedString("ButtonCaption_Finish"));
        EXPECT_TRUE(wizard.deviceReceived() == image.chopped(16));
        EXPECT_TRUE(wizard.quitGuardDown());
        return;
    }
    ASSERT_STEP(wizard.waitForPage(QStringLiteral("DFUSetupPage")));
    EXPECT_EQ(wizard.alerts().size(), 1);
    const QString alert = wizard.alertText();
    if (!QByteArray(fault.alert).startsWith("Info_") && fault.alert != denied) {
        EXPECT_EQ(alert, localizedString(fault.alert));
    } else {
        const char* key = fault.alert != denied
                              ? fault.alert
                              : DeviceWatcher::stateKey(DeviceWatcher::Presence::Denied,
                                                        DeviceWatcher::AccessContext::current());
        const QString details = wizard.alerts().value(0).details;
        EXPECT_TRUE(alert.startsWith(localizedString(key) + u'\n') &&
                    details.endsWith(alert.section(u'\n', -1)))
            << alert.toStdString() << " / " << details.toStdString();
    }
    EXPECT_TRUE(wizard.quitGuardDown());
    EXPECT_EQ(wizard.quits(), 0);
}

INSTANTIATE_TEST_SUITE_P(Flashing, FlashingFaultMatrix, ::testing::ValuesIn(faults),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace velt::test
