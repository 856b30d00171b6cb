// Every fault of the flashing tool's simulated device, through the update page with the real
// tool: each run ends in Finish, in the alert for a device that is not in DFU mode, in the
// status failure once the retries are spent, or in the tool's own error text, and the quit
// guard is down afterwards.
#include "DfuFile.h"
#include "WizardHarness.h"
#include "core/Localization.h"
#include "core/Resources.h"
#include "pages/UpdateProgressViewController.h"
#include "update/FlashingStage.h"

#include <QPushButton>
#include <cstdio>

namespace velt::test {
namespace {

enum class Ending {
    Finish,    // the Finish button
    DfuMode,   // "Description_DFUMode"
    GetStatus, // "Error_FailedToGetStatus"
    ToolText,  // the tool's whole standard error
};

struct FlashingFault
{
    const char* name;
    const char* simulator; // VELT_DFU_SIMULATOR, before the run counter the test adds
    Ending ending;
    int runs = 1;              // runs of the tool the device sees
    const char* mentions = ""; // ToolText: a phrase the tool's text must hold
};

// 8 KiB: nine blocks of the simulated device's 1023 bytes, so block 3 is well inside the image.
const QByteArray dfuImage = [] {
    std::vector<uint8_t> payload(8 * 1024);
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = uint8_t(i * 7 + 1);
    const std::vector<uint8_t> file = dfu::withDfuSuffix(payload, 0x0a12, 0xffff);
    return QByteArray(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
}();

const FlashingFault faults[] = {
    {"Healthy", "1", Ending::Finish},
    {"NoDevice", "absent", Ending::DfuMode},
    {"RuntimeDeviceNeverReturns", "no-return", Ending::DfuMode},
    {"TwoDevices", "duplicate", Ending::ToolText},
    {"InterfaceBusy", "busy", Ending::ToolText, 1, "LIBUSB_ERROR_BUSY"},
    {"NoAccess", "access", Ending::ToolText, 1, "LIBUSB_ERROR_ACCESS"},
    // The tool asks three times: two lost answers cost nothing.
    {"TwoStatusTimeoutsAtStart", "getstatus-timeouts=2", Ending::Finish},
    // Before any block: retried four times, then reported.
    {"StatusNeverAnswered", "getstatus-timeouts=forever", Ending::GetStatus, 5},
    {"FirstTwoRunsUnanswered", "failing-runs=2", Ending::Finish, 3},
    {"FiveRunsUnanswered", "failing-runs=5", Ending::GetStatus, 5},
    // After a block was written: reported at once, never retried.
    {"StatusLostMidImage", "getstatus-timeouts=3@3", Ending::GetStatus},
    {"ShortStatusAnswers", "short-status", Ending::ToolText},
    {"ShortStatusMidImage", "short-status=3", Ending::ToolText},
    {"DeviceVanishes", "vanish=3", Ending::ToolText, 1, "disconnected"},
    {"BlockStalled", "dnload-stall=3", Ending::ToolText, 1, "errSTALLEDPKT"},
    // Lost on the way or only its acknowledgement lost: the tool finds out and carries on.
    {"BlockLost", "dnload-lost=3", Ending::Finish},
    {"BlockAcknowledgementLost", "dnload-timeout=3", Ending::Finish},
    {"WriteErrorAtFirstBlock", "error=errWRITE", Ending::ToolText, 1, "errWRITE"},
    {"WriteErrorMidImage", "error=errWRITE@3", Ending::ToolText, 1, "errWRITE"},
    {"AddressBeyondFlash", "flash-kib=4", Ending::ToolText, 1, "errADDRESS"},
    {"UnknownState", "odd-state=42@1", Ending::ToolText},
    {"UnexpectedState", "odd-state=dfuMANIFEST@2", Ending::ToolText},
    // After the last block: a device that restarts at once is done.
    {"SilentAfterTheImage", "manifest=silent", Ending::Finish},
    {"GoneAfterTheImage", "manifest=gone", Ending::Finish},
    {"StatusLostInManifestation", "getstatus-timeouts=3@end", Ending::Finish},
    // Past 99 per cent the stage disregards the tool's error text, so these end in Finish
    // whatever the device reported last.
    {"EndOfImageRefused", "error=errNOTDONE@end", Ending::Finish},
    {"ManifestationFails", "error=errFIRMWARE@end", Ending::Finish},
    // Left over from an earlier session, or starting in runtime mode: the tool recovers.
    {"LeftInError", "start-state=dfuERROR,start-status=errWRITE", Ending::Finish},
    {"LeftMidDownload", "start-state=dfuDNLOAD-IDLE", Ending::Finish},
    {"RuntimeDevice", "runtime", Ending::Finish},
    {"RuntimeDeviceDetachesItself", "runtime,will-detach,not-tolerant", Ending::Finish},
};

void PrintTo(const FlashingFault& fault, std::ostream* out)
{
    *out << fault.name;
}

class FlashingFaultMatrix : public WizardHarness,
                            public ::testing::WithParamInterface<FlashingFault>
{
protected:
    void SetUp() override
    {
        WizardHarness::SetUp();
        FlashingStage::setRetryDelayForTesting(20);
        serveImage(dfuImage);
    }
    void TearDown() override
    {
        qunsetenv("VELT_DFU_SIMULATOR");
        FlashingStage::setRetryDelayForTesting(-1);
        WizardHarness::TearDown();
    }

    QString runsFile() const { return m_folder.filePath(QStringLiteral("device-runs")); }

    // What the tool writes on standard error for this device, run by hand on the same image.
    // popen spawns, where QProcess would fork this multi-threaded process.
    QString toolErrorText(const char* simulator) const
    {
        const auto quoted = [](const QString& text) {
            return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), u"'\\''"_qs) +
                   QLatin1Char('\'');
        };
        const QString command =
            QStringLiteral("VELT_DFU_SIMULATOR=%1 %2 0a12 ffff %3 2>&1 >/dev/null")
                .arg(quoted(QString::fromLatin1(simulator)),
                     quoted(resourcePath(QStringLiteral("dfu-util"))), quoted(firmwareFile()));
        std::FILE* tool = ::popen(command.toLocal8Bit().constData(), "r");
        if (!tool)
            return QStringLiteral("<the tool did not start>");
        QByteArray text;
        char chunk[4096];
        while (const size_t read = std::fread(chunk, 1, sizeof chunk, tool))
            text.append(chunk, qsizetype(read));
        ::pclose(tool);
        return QString::fromUtf8(text);
    }
};

TEST_P(FlashingFaultMatrix, EndsAsTheStageJudgesWithTheQuitGuardDown)
{
    const FlashingFault& fault = GetParam();
    qputenv("VELT_DFU_SIMULATOR", QByteArray(fault.simulator) + ",state=" + runsFile().toUtf8());
    ASSERT_NO_FATAL_FAILURE(walkToDfuSetup());
    ASSERT_NO_FATAL_FAILURE(enterUpdatePage());
    UpdateProgressViewController* page = updatePage();

    ASSERT_TRUE(waitUntil(
        [&] { return !m_alerts.alerts().isEmpty() || page->button()->isVisible(); }, 60'000));
    EXPECT_EQ(readFile(runsFile()).trimmed().toInt(), fault.runs);

    if (fault.ending == Ending::Finish) {
        EXPECT_TRUE(m_alerts.alerts().isEmpty()) << m_alerts.texts().join('\n').toStdString();
        EXPECT_EQ(page->button()->text(), localizedString("ButtonCaption_Finish"));
        EXPECT_TRUE(quitGuardDown());
        return;
    }

    ASSERT_TRUE(waitUntil([this] { return onScreenIdentifier() == "dfuSetup"; }));
    ASSERT_EQ(m_alerts.alerts().size(), 1);
    const QString alert = m_alerts.texts().first();
    switch (fault.ending) {
    case Ending::DfuMode:
        EXPECT_EQ(alert, localizedString("Description_DFUMode"));
        break;
    case Ending::GetStatus:
        EXPECT_EQ(alert, localizedString("Error_FailedToGetStatus"));
        break;
    case Ending::ToolText: {
        // The runner hands over the text without its last character, the final newline.
        QString expected = toolErrorText(fault.simulator);
        expected.chop(1);
        EXPECT_EQ(alert, expected);
        EXPECT_TRUE(alert.contains(QLatin1String(fault.mentions))) << alert.toStdString();
        EXPECT_FALSE(alert.isEmpty());
        break;
    }
    case Ending::Finish:
        break;
    }
    EXPECT_TRUE(quitGuardDown());
    EXPECT_EQ(m_quits, 0);
}

INSTANTIATE_TEST_SUITE_P(Flashing, FlashingFaultMatrix, ::testing::ValuesIn(faults),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace velt::test
