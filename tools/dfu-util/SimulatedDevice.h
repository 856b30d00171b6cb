// SPDX-License-Identifier: Apache-2.0
// The device side of USB DFU 1.1: the state machine a DFU device runs, with the faults real
// devices show injected on demand. It also watches the host: a host that sends blocks out of
// order or oversized, does not wait bwPollTimeout, sends a second end-of-image, resets a device
// that detaches itself or sends a request the state does not allow is recorded as a violation
// (and, as on a real device, the request stalls).
#pragma once

#include "Clock.h"
#include "DfuProtocol.h"
#include "SimulatorSettings.h"
#include "Transport.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velt::dfu {

class SimulatedDevice
{
public:
    // `failingRun`: this run answers no GETSTATUS at all (a device in the bad mood the
    // application retries).
    SimulatedDevice(const SimulatorSettings& settings, Clock& clock, bool failingRun = false);

    bool attached() const { return m_attached; }
    // Changes each time the device re-enumerates; handles from an earlier one are stale.
    uint32_t generation() const { return m_generation; }
    UsbDeviceInfo describe() const;

    int open() const;
    // The device's answer to one control request: bytes transferred or a negative UsbError.
    int control(const ControlSetup& setup, std::span<uint8_t> data);
    int reset();
    // The end of the host's run: checks what the host left undone, and with `record=PATH`
    // writes there what the device saw (one line, see the README).
    void endRun();

    const std::vector<uint8_t>& image() const { return m_image; }
    bool imageComplete() const { return m_imageComplete; }
    const std::vector<std::string>& violations() const { return m_violations; }
    int requestCount(Request request) const { return m_requestCounts[size_t(request)]; }
    int resetCount() const { return m_resets; }

private:
    int getStatus(std::span<uint8_t> data);
    int download(uint16_t blockNumber, std::span<const uint8_t> data);
    void advance();
    void enterError(Status status);
    int stall(Status status = Status::ErrStalledPkt);
    int hostFault(const std::string& what);
    void leaveBus();
    void reenumerate(bool dfuMode);
    std::vector<uint8_t> functionalDescriptor() const;

    SimulatorSettings m_settings;
    Clock& m_clock;
    bool m_failingRun = false;

    bool m_attached = true;
    bool m_dfuMode = true;
    uint32_t m_generation = 0;
    State m_state = State::DfuIdle;
    Status m_status = Status::Ok;

    // The block the device last received (counted, not wrapped); kNoBlock before the first.
    int64_t m_block = SimulatorSettings::kNoBlock;
    int64_t m_accepted = 0; // blocks the device has finished writing
    bool m_manifestStarted = false;
    bool m_writePending = false;
    bool m_beyondFlash = false;
    uint64_t m_busyUntilUs = 0;
    uint32_t m_busyMs = 0;
    int m_manifestRoundsLeft = 0;
    bool m_endReceived = false;
    bool m_imageComplete = false;
    int64_t m_getStatusTimeoutsLeft = 0;
    bool m_dnloadLostDone = false;
    bool m_dnloadTimeoutDone = false;
    // What the record tells: the image's size when the end of image reached the device (-1:
    // never), whether the device went into dfuERROR in this run, and whether it gave a short or
    // false status.
    int64_t m_endAfterBytes = -1;
    bool m_enteredError = false;
    bool m_garbled = false;

    std::vector<uint8_t> m_image;
    std::vector<std::string> m_violations;
    int m_requestCounts[7] = {};
    int m_resets = 0;
};

} // namespace velt::dfu
