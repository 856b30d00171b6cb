// The downloader against the simulated device on a virtual clock: every fault the device can
// show, the healthy shapes of device, and the host's manners (the device records any breach).
#include "DfuDownloader.h"

#include "SimulatedDevice.h"
#include "SimulatedTransport.h"
#include "SimulatorSettings.h"
#include "UsbError.h"
#include "VirtualClock.h"

#include <gtest/gtest.h>
#include <memory>
#include <numeric>

using namespace velt::dfu;

namespace {

std::vector<uint8_t> makePayload(size_t size)
{
    std::vector<uint8_t> payload(size);
    for (size_t i = 0; i < size; ++i)
        payload[i] = uint8_t(i * 7 + i / 251);
    return payload;
}

struct Flash
{
    VirtualClock clock;
    SimulatorSettings settings;
    std::unique_ptr<SimulatedDevice> device;
    std::vector<std::string> info;
    std::vector<std::pair<size_t, size_t>> progress;
    DownloadOutcome outcome;
};

std::unique_ptr<Flash> flash(const std::string& text, const std::vector<uint8_t>& payload,
                             bool failingRun = false)
{
    auto run = std::make_unique<Flash>();
    const SimulatorSettingsResult parsed = parseSimulatorSettings(text);
    EXPECT_TRUE(parsed.settings) << parsed.error;
    if (!parsed.settings)
        return run;
    run->settings = *parsed.settings;
    run->device = std::make_unique<SimulatedDevice>(run->settings, run->clock, failingRun);
    SimulatedTransport transport(*run->device, run->clock, run->settings.latencyMs,
                                 run->settings.count);
    DownloadReporter reporter;
    reporter.info = [&run](const std::string& line) {
        run->info.push_back(line);
    };
    reporter.progress = [&run](size_t written, size_t total) {
        run->progress.emplace_back(written, total);
    };
    DfuDownloader downloader(transport, run->clock, reporter);
    run->outcome = downloader.download(0x0a12, 0xffff, payload);
    run->device->endRun();
    return run;
}

std::string violations(const SimulatedDevice& device)
{
    std::string all;
    for (const std::string& violation : device.violations())
        all += violation + "; ";
    return all;
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

TEST(DfuDownloader, DeliversThePayloadForEveryTransferSize)
{
    // 5000 bytes is no multiple of any of these; 8192 is more than Linux lets through.
    const std::vector<uint8_t> payload = makePayload(5000);
    for (const int size : {64, 1023, 4096, 8192}) {
        SCOPED_TRACE(size);
        const auto run = flash("transfer-size=" + std::to_string(size) + ",poll-ms=3", payload);
        EXPECT_EQ(run->outcome.code, ExitCode::Success) << run->outcome.message;
        EXPECT_TRUE(run->outcome.message.empty());
        EXPECT_EQ(run->device->image(), payload);
        EXPECT_TRUE(run->device->imageComplete());
        EXPECT_EQ(violations(*run->device), "");

        const size_t block = std::min(size, 4096);
        const size_t blocks = (payload.size() + block - 1) / block;
        ASSERT_EQ(run->progress.size(), blocks);
        for (size_t i = 0; i < blocks; ++i) {
            EXPECT_EQ(run->progress[i].first, std::min((i + 1) * block, payload.size()));
            EXPECT_EQ(run->progress[i].second, payload.size());
        }
        // Every block once, then exactly one zero-length DNLOAD.
        EXPECT_EQ(run->device->requestCount(Request::Dnload), int(blocks) + 1);
    }
}

TEST(DfuDownloader, HealthyDeviceShapes)
{
    const std::vector<uint8_t> payload = makePayload(3000);
    struct Case
    {
        const char* settings;
        int resets; // the host resets only devices that neither stay nor detach themselves
    };
    const Case cases[] = {
        {"1", 0},
        {"dfu11", 0},
        {"descriptor=configuration", 0},
        {"descriptor=request", 0},
        {"not-tolerant,poll-ms=4", 1},
        {"not-tolerant,will-detach,poll-ms=4", 0},
        {"runtime,detach-ms=1000", 1},
        {"runtime,dfu11", 1},
        {"runtime,will-detach", 0},
        {"start-state=dfuERROR,start-status=errWRITE", 0},
        {"start-state=dfuDNLOAD-IDLE", 0},
        {"start-state=dfuUPLOAD-IDLE", 0},
        {"poll-ms=0", 0},
        {"poll-ms=10000", 0},
        {"manifest-rounds=20,poll-ms=50", 0},
        {"manifest=silent", 0},
        {"manifest=gone", 0},
        {"getstatus-timeouts=2", 0},
        {"getstatus-timeouts=2@1", 0},
        {"getstatus-timeouts=2@end", 0},
        {"dnload-lost=1", 0},
        {"dnload-timeout=2", 0},
        {"latency-ms=3,poll-ms=7", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        const auto run = flash(c.settings, payload);
        EXPECT_EQ(run->outcome.code, ExitCode::Success) << run->outcome.message;
        EXPECT_EQ(run->device->image(), payload);
        EXPECT_TRUE(run->device->imageComplete());
        EXPECT_EQ(violations(*run->device), "");
        EXPECT_EQ(run->device->resetCount(), c.resets);
        ASSERT_FALSE(run->progress.empty());
        EXPECT_EQ(run->progress.back(), std::make_pair(payload.size(), payload.size()));
    }
}

TEST(DfuDownloader, FaultsEndWithTheRightMessageAndCode)
{
    const std::vector<uint8_t> payload = makePayload(5000); // blocks 0..4 of 1023 bytes
    struct Case
    {
        const char* settings;
        ExitCode code;
        const char* ending;   // the message ends with this
        size_t blocksWritten; // progress lines before the failure
    };
    const Case cases[] = {
        {"absent", ExitCode::NoDfuDevice, kEnterDfuModeMarker, 0},
        {"no-return,detach-ms=200", ExitCode::NoDfuDevice, kEnterDfuModeMarker, 0},
        {"no-return,will-detach,detach-ms=200", ExitCode::NoDfuDevice, kEnterDfuModeMarker, 0},
        {"duplicate", ExitCode::SeveralDevices, "connect only the one to update.", 0},
        {"busy", ExitCode::CannotOpen, "then unplug and reconnect the device.", 0},
        {"access", ExitCode::CannotOpen, "then unplug and reconnect the device.", 0},
        {"getstatus-timeouts=3", ExitCode::NoStatusAnswer, kGetStatusMarker, 0},
        {"getstatus-timeouts=forever", ExitCode::NoStatusAnswer, kGetStatusMarker, 0},
        {"getstatus-timeouts=forever@0", ExitCode::NoStatusAnswer, kGetStatusMarker, 0},
        {"getstatus-timeouts=3@3", ExitCode::NoStatusAnswer, kGetStatusMarker, 3},
        {"vanish=2", ExitCode::UsbFailure, "The device disconnected at block 2.", 2},
        {"short-status", ExitCode::DeviceMisbehaved, "with 3 bytes instead of 6.", 0},
        {"short-status=1", ExitCode::DeviceMisbehaved, "with 3 bytes instead of 6.", 1},
        {"dnload-stall=1", ExitCode::DeviceError,
         "refused block 1 (LIBUSB_ERROR_PIPE): the device reports state dfuERROR, status "
         "errSTALLEDPKT.",
         1},
        {"error=errNOTDONE@end", ExitCode::DeviceError,
         "rejected the image: the device reports state dfuERROR, status errNOTDONE.", 4},
        {"error=errFIRMWARE@end,not-tolerant", ExitCode::DeviceError, "status errFIRMWARE.", 4},
        // The last block and the end of the image: no "N of N" for an unfinished write.
        {"error=errWRITE@4", ExitCode::DeviceError, "status errWRITE.", 4},
        {"vanish=4", ExitCode::UsbFailure, "The device disconnected at block 4.", 4},
        {"dnload-stall=4", ExitCode::DeviceError, "status errSTALLEDPKT.", 4},
        {"getstatus-timeouts=3@4", ExitCode::NoStatusAnswer, kGetStatusMarker, 4},
        {"short-status=4", ExitCode::DeviceMisbehaved, "with 3 bytes instead of 6.", 4},
        {"short-status=end", ExitCode::DeviceMisbehaved, "with 3 bytes instead of 6.", 4},
        {"odd-state=42@4", ExitCode::DeviceMisbehaved, "state 42 after block 4.", 4},
        {"odd-state=42@end", ExitCode::DeviceMisbehaved, "state 42 after the last block.", 4},
        {"dnload-stall=end", ExitCode::DeviceError, "status errSTALLEDPKT.", 4},
        // A wait of hours is no wait a device needs.
        {"poll-ms=10001", ExitCode::DeviceMisbehaved, "no device needs over 10 seconds.", 0},
        {"odd-state=42@1", ExitCode::DeviceMisbehaved, "reports state state 42 after block 1.", 1},
        {"odd-state=dfuUPLOAD-IDLE@2", ExitCode::DeviceMisbehaved,
         "reports state dfuUPLOAD-IDLE after block 2.", 2},
        {"start-state=dfuMANIFEST-WAIT-RESET", ExitCode::NoStatusAnswer, kGetStatusMarker, 0},
        {"flash-kib=2", ExitCode::DeviceError, "status errADDRESS.", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        const auto run = flash(c.settings, payload);
        EXPECT_EQ(run->outcome.code, c.code);
        EXPECT_TRUE(endsWith(run->outcome.message, c.ending)) << run->outcome.message;
        EXPECT_EQ(run->outcome.message.find('\n'), std::string::npos);
        EXPECT_EQ(run->progress.size(), c.blocksWritten);
        EXPECT_EQ(violations(*run->device), "");
    }
}

TEST(DfuDownloader, EveryErrorStatusIsNamed)
{
    const std::vector<uint8_t> payload = makePayload(2500);
    for (int status = 1; status <= kLastStatus; ++status) {
        const std::string name = statusName(status);
        SCOPED_TRACE(name);
        const auto run = flash("poll-ms=2,error=" + name + "@1", payload);
        EXPECT_EQ(run->outcome.code, ExitCode::DeviceError);
        EXPECT_EQ(run->outcome.message,
                  "Block 1 failed: the device reports state dfuERROR, status " + name + ".");
        EXPECT_EQ(run->progress.size(), 1u);
    }
}

TEST(DfuDownloader, PermissionFailureExplainsTheUdevRule)
{
    const auto run = flash("access", makePayload(10));
    EXPECT_NE(run->outcome.message.find("LIBUSB_ERROR_ACCESS"), std::string::npos);
    EXPECT_NE(run->outcome.message.find("70-velt-dfu.rules"), std::string::npos);
    EXPECT_FALSE(endsWith(run->outcome.message, kEnterDfuModeMarker));
}

TEST(DfuDownloader, FailingRunNeverAnswersStatus)
{
    const auto run = flash("1", makePayload(100), true);
    EXPECT_EQ(run->outcome.code, ExitCode::NoStatusAnswer);
    EXPECT_TRUE(endsWith(run->outcome.message, kGetStatusMarker));
    EXPECT_TRUE(run->progress.empty());
    EXPECT_EQ(run->device->requestCount(Request::Dnload), 0);
}

TEST(DfuDownloader, LostBlockIsResentOnlyWhenTheDeviceProvesItMissing)
{
    const std::vector<uint8_t> payload = makePayload(3000);
    const auto lost = flash("dnload-lost=1", payload);
    EXPECT_EQ(lost->device->requestCount(Request::Dnload), 3 + 1 + 1);
    EXPECT_EQ(lost->device->requestCount(Request::GetState), 1);

    const auto received = flash("dnload-timeout=1", payload);
    EXPECT_EQ(received->device->requestCount(Request::Dnload), 3 + 1);
    EXPECT_EQ(received->device->image(), payload);
}

TEST(DfuDownloader, TakesNoLongerThanTheDeviceRequires)
{
    // latency 2 ms per request, 6 ms of writing per block and 6 ms of manifestation: the
    // protocol minimum is GETSTATUS on open, then per block DNLOAD + GETSTATUS (busy) + wait +
    // GETSTATUS (idle), then the end DNLOAD + GETSTATUS (manifesting) + wait + GETSTATUS.
    const size_t blocks = 50;
    const auto run = flash("latency-ms=2,poll-ms=6", makePayload(blocks * 1023));
    ASSERT_EQ(run->outcome.code, ExitCode::Success) << run->outcome.message;
    const uint64_t minimumUs = (1 + blocks * 3 + 3) * 2000 + (blocks + 1) * 6000;
    EXPECT_EQ(run->clock.nowUs(), minimumUs);

    // An absurd bwPollTimeout ends the run at once instead of being waited out.
    const auto absurd = flash("poll-ms=0xffffff", makePayload(2 * 1023));
    EXPECT_EQ(absurd->outcome.code, ExitCode::DeviceMisbehaved);
    EXPECT_EQ(absurd->clock.nowUs(), 0u);
}

TEST(DfuDownloader, BlockNumbersWrapAfter65535)
{
    const std::vector<uint8_t> payload = makePayload(65537 * 64 + 5);
    const auto run = flash("transfer-size=64", payload);
    EXPECT_EQ(run->outcome.code, ExitCode::Success) << run->outcome.message;
    EXPECT_EQ(run->device->image(), payload);
    EXPECT_EQ(violations(*run->device), "");
}

TEST(SimulatedDevice, CatchesAHostThatBreaksTheProtocol)
{
    VirtualClock clock;
    SimulatorSettings settings = *parseSimulatorSettings("poll-ms=10,transfer-size=64").settings;
    SimulatedDevice device(settings, clock);
    auto out = [&](Request request, uint16_t value, std::vector<uint8_t> data) {
        return device.control({kRequestTypeOut, uint8_t(request), value, 0}, data);
    };
    auto status = [&] {
        uint8_t reply[6] = {};
        return device.control({kRequestTypeIn, uint8_t(Request::GetStatus), 0, 0}, reply);
    };

    EXPECT_EQ(out(Request::Dnload, 1, std::vector<uint8_t>(64)), UsbErrorPipe);
    EXPECT_EQ(device.violations().size(), 1u) << "a first block numbered 1";
    EXPECT_EQ(out(Request::ClrStatus, 0, {}), 0);

    EXPECT_EQ(out(Request::Dnload, 0, std::vector<uint8_t>(65)), UsbErrorPipe);
    EXPECT_EQ(device.violations().size(), 2u) << "a block above the transfer size";
    EXPECT_EQ(out(Request::ClrStatus, 0, {}), 0);

    EXPECT_EQ(out(Request::Dnload, 0, std::vector<uint8_t>(64)), 64);
    EXPECT_EQ(status(), 6); // dfuDNBUSY, 10 ms
    clock.sleepMs(9);
    EXPECT_EQ(status(), UsbErrorPipe);
    EXPECT_EQ(device.violations().size(), 3u) << "GETSTATUS before bwPollTimeout";
    EXPECT_EQ(device.state(), int(State::Error));

    EXPECT_EQ(out(Request::ClrStatus, 0, {}), 0);
    EXPECT_EQ(out(Request::Dnload, 0, {}), UsbErrorPipe);
    EXPECT_EQ(device.violations().size(), 4u) << "end of image with no image";
}
