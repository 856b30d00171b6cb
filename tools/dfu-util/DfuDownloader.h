// SPDX-License-Identifier: Apache-2.0
// The host side of a USB DFU 1.1 download: finds the one device with the given ids, brings it
// into DFU mode and to dfuIDLE, sends the payload block by block while following the device's
// status, and sees it through manifestation. All USB goes through a Transport, all waiting
// through a Clock.
#pragma once

#include "Clock.h"
#include "DfuProtocol.h"
#include "ExitCode.h"
#include "FunctionalDescriptor.h"
#include "Transport.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace velt::dfu {

// Marker texts the application looks for at the end of the tool's last error line.
inline constexpr const char* kEnterDfuModeMarker = "Failed to enter DFU mode.";
inline constexpr const char* kGetStatusMarker = "Failed DFU_GETSTATUS: 0xe00002d8.";

struct DownloadReporter
{
    std::function<void(const std::string& line)> info;
    // After each block the device has accepted: payload bytes written so far, and in total. The
    // last one (all of it) only once the device has accepted the end of the image too.
    std::function<void(size_t written, size_t total)> progress;
};

class DfuDownloader
{
public:
    // How many times GETSTATUS (and GETSTATE) is asked before the device counts as silent.
    static constexpr int kStatusTries = 3;
    static constexpr unsigned kStatusTimeoutMs = 3000;
    static constexpr unsigned kTransferTimeoutMs = 5000;
    // How long a device may take to show up again in DFU mode after DETACH (plus its own
    // wDetachTimeOut when it detaches itself).
    static constexpr uint32_t kReenumerationMs = 5000;
    static constexpr uint32_t kReenumerationPollMs = 250;
    // Longest a device may stay busy on one block, or in manifestation, before we give up.
    static constexpr uint32_t kBusyLimitMs = 60000;

    DfuDownloader(Transport& transport, Clock& clock, DownloadReporter reporter);

    Outcome download(uint16_t vendorId, uint16_t productId, std::span<const uint8_t> payload);

private:
    struct StatusReply
    {
        int result = 0;          // 0 or a negative UsbError
        bool shortReply = false; // answered, but with fewer than 6 bytes
        int length = 0;          // bytes of that short answer
        Status status = Status::Ok;
        State state = State::AppIdle; // may hold a number that names no state
        uint32_t pollTimeoutMs = 0;
        int attempts = 0;
    };
    enum class Mode { Runtime, Dfu };

    Outcome connect(uint16_t vendorId, uint16_t productId, bool afterDetach, Mode& mode);
    Outcome detach(uint16_t vendorId, uint16_t productId);
    Outcome bringToIdle();
    Outcome sendBlock(uint32_t block, std::span<const uint8_t> data);
    Outcome awaitBlock(uint32_t block);
    Outcome finish(uint32_t block);

    StatusReply getStatus(int tries);
    int getState(State& state);
    int request(Request request, uint16_t value, std::span<uint8_t> data, unsigned timeoutMs);
    Outcome waitPoll(const StatusReply& reply, const std::string& when);

    Outcome statusFailure(const StatusReply& reply, const std::string& when);
    Outcome deviceError(const StatusReply& reply, const std::string& when);
    void info(const std::string& line);

    Transport& m_transport;
    Clock& m_clock;
    DownloadReporter m_reporter;
    std::string m_ids;
    uint8_t m_interface = 0;
    FunctionalDescriptor m_descriptor;
    uint16_t m_transferSize = 0;
    StatusReply m_initial;
};

} // namespace velt::dfu
