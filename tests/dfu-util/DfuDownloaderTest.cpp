// SPDX-License-Identifier: Apache-2.0
// The downloader against the simulated device on a virtual clock: the healthy shapes of device,
// what reaches the flash, exact timing, and the host's manners (the device records any breach).
// The faults and their messages are checked through the built tool (DfuToolTest.cpp).
#include "DfuDownloader.h"

#include "SimulatedDevice.h"
#include "SimulatedTransport.h"
#include "SimulatorSettings.h"
#include "VirtualClock.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

using namespace velt::dfu;

namespace {

// Bytes that repeat only every 251: a block sent twice or out of order shows.
std::vector<uint8_t> makePayload(size_t size)
{
    std::vector<uint8_t> payload(size);
    std::generate(payload.begin(), payload.end(), [i = 0]() mutable { return uint8_t(i++ % 251); });
    return payload;
}

struct Flash
{
    VirtualClock clock;
    SimulatorSettings settings;
    std::unique_ptr<SimulatedDevice> device;
    std::vector<size_t> progress; // bytes written, as each progress report said
    Outcome outcome;
};

std::unique_ptr<Flash> flash(const std::string& text, const std::vector<uint8_t>& payload)
{
    auto run = std::make_unique<Flash>();
    run->settings = parseSimulatorSettings(text).settings.value();
    run->device = std::make_unique<SimulatedDevice>(run->settings, run->clock);
    SimulatedTransport transport(*run->device, run->clock, run->settings.latencyMs);
    DownloadReporter reporter;
    reporter.progress = [&run](size_t written, size_t) {
        run->progress.push_back(written);
    };
    run->outcome = DfuDownloader(transport, run->clock, reporter).download(0x0a12, 0xffff, payload);
    run->device->endRun();
    return run;
}

} // namespace

TEST(DfuDownloader, HealthyDevicesGetTheWholeImage)
{
    // 5000 bytes is no multiple of any transfer size; 8192 is more than Linux lets through.
    struct Case
    {
        const char* settings;
        int resets; // the host resets only devices that neither stay nor detach themselves
        int resent; // blocks sent twice
        size_t size = 5000;
    };
    const Case cases[] = {
        {"1", 0, 0},
        {"transfer-size=8192,poll-ms=3", 0, 0},
        {"transfer-size=64", 0, 0, 65537 * 64 + 5}, // block numbers wrap after 65535
        {"dfu11", 0, 0},
        {"descriptor=configuration", 0, 0},
        {"descriptor=request", 0, 0},
        {"not-tolerant,poll-ms=4", 1, 0},
        {"not-tolerant,will-detach,poll-ms=4", 0, 0},
        {"runtime,detach-ms=1000", 1, 0},
        {"runtime,will-detach", 0, 0},
        {"start-state=dfuERROR,start-status=errWRITE", 0, 0},
        {"start-state=dfuDNLOAD-IDLE", 0, 0},
        {"poll-ms=10000", 0, 0},
        {"manifest-rounds=20,poll-ms=50", 0, 0},
        {"manifest=silent", 0, 0},
        {"manifest=gone", 0, 0},
        {"getstatus-timeouts=2", 0, 0},
        {"getstatus-timeouts=2@end", 0, 0},
        // A timed-out block is sent again only when GETSTATE shows it never arrived.
        {"dnload-lost=1", 0, 1},
        {"dnload-timeout=2", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        const std::vector<uint8_t> payload = makePayload(c.size);
        const auto run = flash(c.settings, payload);
        EXPECT_EQ(run->outcome.code, ExitCode::Success) << run->outcome.message;
        EXPECT_EQ(run->device->image(), payload);
        EXPECT_TRUE(run->device->imageComplete());
        EXPECT_EQ(run->device->violations(), std::vector<std::string>());
        EXPECT_EQ(run->device->resetCount(), c.resets);
        const size_t block = std::min<size_t>(run->settings.transferSize, 4096);
        const size_t blocks = (payload.size() + block - 1) / block;
        EXPECT_EQ(run->device->requestCount(Request::Dnload), int(blocks) + 1 + c.resent);
        EXPECT_EQ(run->progress.size(), blocks);
        EXPECT_EQ(run->progress.back(), payload.size());
    }
}
