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

using namespace velt::dfu;

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
        // Bytes that repeat only every 251: a block sent twice or out of order shows.
        std::vector<uint8_t> payload(c.size);
        std::generate(payload.begin(), payload.end(),
                      [i = 0]() mutable { return uint8_t(i++ % 251); });
        const SimulatorSettings settings = parseSimulatorSettings(c.settings).settings.value();
        VirtualClock clock;
        SimulatedDevice device(settings, clock);
        SimulatedTransport transport(device, clock, settings.latencyMs);
        std::vector<size_t> progress; // bytes written, as each progress report said
        const auto report = [&progress](size_t written, size_t) {
            progress.push_back(written);
        };
        const Outcome outcome =
            DfuDownloader(transport, clock, {{}, report}).download(0x0a12, 0xffff, payload);
        device.endRun();
        EXPECT_EQ(outcome.code, ExitCode::Success) << outcome.message;
        EXPECT_EQ(device.image(), payload);
        EXPECT_TRUE(device.imageComplete());
        EXPECT_EQ(device.violations(), std::vector<std::string>());
        EXPECT_EQ(device.resetCount(), c.resets);
        const size_t block = std::min<size_t>(settings.transferSize, 4096);
        const size_t blocks = (payload.size() + block - 1) / block;
        EXPECT_EQ(device.requestCount(Request::Dnload), int(blocks) + 1 + c.resent);
        EXPECT_EQ(progress.size(), blocks);
        EXPECT_EQ(progress.back(), payload.size());
    }
}
