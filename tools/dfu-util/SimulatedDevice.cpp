// SPDX-License-Identifier: Apache-2.0
#include "SimulatedDevice.h"

#include "FunctionalDescriptor.h"
#include "SimulatedPresence.h"
#include "UsbError.h"

#include <algorithm>
#include <fstream>

namespace velt::dfu {

SimulatedDevice::SimulatedDevice(const SimulatorSettings& settings, Clock& clock, bool failingRun)
    : m_settings(settings), m_clock(clock), m_failingRun(failingRun)
{
    m_attached = simulatedDeviceConnected(settings);
    m_dfuMode = !settings.runtime;
    m_state = m_dfuMode ? State(settings.startState) : State::AppIdle;
    m_status = m_dfuMode ? Status(settings.startStatus) : Status::Ok;
    if (m_state == State::Error && m_status == Status::Ok)
        m_status = Status::ErrUnknown;
    m_busyMs = std::min(settings.pollMs, kPollTimeoutLimitMs);
    m_getStatusTimeoutsLeft = settings.getStatusTimeouts;
    // The flash is there from the start; reserving it costs no memory until it is written.
    m_image.reserve(size_t(settings.flashKib) * 1024);
}

UsbDeviceInfo SimulatedDevice::describe() const
{
    UsbDeviceInfo info;
    info.busNumber = 1;
    info.address = uint8_t(5 + m_generation);
    UsbInterfaceInfo interface;
    interface.interfaceClass = kInterfaceClassApplication;
    interface.interfaceSubclass = kInterfaceSubclassDfu;
    interface.interfaceProtocol = m_settings.dfu11 ? (m_dfuMode ? 2 : 1) : 0;
    using Place = SimulatorSettings::DescriptorPlace;
    if (m_settings.descriptorPlace == Place::Interface)
        interface.extra = functionalDescriptor();
    else if (m_settings.descriptorPlace == Place::Configuration)
        info.configurationExtra = functionalDescriptor();
    info.interfaces.push_back(interface);
    return info;
}

std::vector<uint8_t> SimulatedDevice::functionalDescriptor() const
{
    const uint16_t detach = m_settings.detachTimeoutMs;
    const uint16_t size = m_settings.transferSize;
    // DFU 1.1 adds bcdDFUVersion (1.1) to the seven bytes of DFU 1.0.
    const uint8_t length = m_settings.dfu11 ? 9 : 7;
    const uint8_t bytes[] = {length,
                             kFunctionalDescriptorType,
                             m_settings.attributes,
                             uint8_t(detach),
                             uint8_t(detach >> 8),
                             uint8_t(size),
                             uint8_t(size >> 8),
                             0x10,
                             0x01};
    return {bytes, bytes + length};
}

int SimulatedDevice::open() const
{
    return m_attached ? m_settings.openError : UsbErrorNoDevice;
}

int SimulatedDevice::control(const ControlSetup& setup, std::span<uint8_t> data)
{
    if (!m_attached)
        return UsbErrorNoDevice;
    advance();

    if (setup.requestType == kRequestTypeStandardIn && setup.request == kGetDescriptor) {
        if (setup.value >> 8 != kFunctionalDescriptorType ||
            m_settings.descriptorPlace != SimulatorSettings::DescriptorPlace::Request)
            return UsbErrorPipe; // a standard request's stall leaves the DFU state alone
        const std::vector<uint8_t> descriptor = functionalDescriptor();
        const size_t length = std::min(descriptor.size(), data.size());
        std::copy_n(descriptor.begin(), length, data.begin());
        return int(length);
    }
    if (setup.request > uint8_t(Request::Abort))
        return hostFault("unknown request " + std::to_string(setup.request));
    const Request request = Request(setup.request);
    if (setup.requestType != requestType(request))
        return hostFault("request " + std::to_string(setup.request) + " with bmRequestType " +
                         std::to_string(setup.requestType));
    if (setup.index != 0)
        return hostFault("request to interface " + std::to_string(setup.index));
    ++m_requestCounts[setup.request];

    if (m_endReceived && m_settings.manifestation == SimulatorSettings::Manifestation::Silent)
        return UsbErrorTimeout;
    // In dfuMANIFEST-WAIT-RESET a device listens for nothing but a bus reset.
    if (m_state == State::ManifestWaitReset)
        return UsbErrorTimeout;
    if (!m_dfuMode && request != Request::Detach && request != Request::GetStatus &&
        request != Request::GetState)
        return hostFault("a DFU-mode request to a device in runtime mode");

    switch (request) {
    case Request::Detach:
        if (m_state != State::AppIdle)
            return hostFault("DETACH");
        m_state = State::AppDetach;
        if (m_settings.attributes & FunctionalDescriptor::WillDetach) {
            if (m_settings.neverReturns)
                leaveBus();
            else
                reenumerate(true);
        }
        return 0;
    case Request::GetStatus:
        return getStatus(data);
    case Request::GetState:
        if (m_state == State::DnBusy || m_state == State::Manifest)
            return hostFault("GETSTATE before bwPollTimeout ran out");
        if (data.empty())
            return hostFault("GETSTATE without room for the answer");
        data[0] = uint8_t(m_state);
        return 1;
    case Request::ClrStatus:
        if (m_state != State::Error)
            return hostFault("CLRSTATUS");
        m_state = State::DfuIdle;
        m_status = Status::Ok;
        return 0;
    case Request::Abort:
        if (m_state != State::DfuIdle && m_state != State::DnloadIdle &&
            m_state != State::UploadIdle)
            return hostFault("ABORT");
        m_state = State::DfuIdle;
        return 0;
    case Request::Dnload:
        return download(setup.value, data);
    case Request::Upload:
        return hostFault("UPLOAD");
    }
    return hostFault("request " + std::to_string(setup.request));
}

int SimulatedDevice::getStatus(std::span<uint8_t> data)
{
    if (data.size() < size_t(kStatusLength))
        return hostFault("GETSTATUS with room for " + std::to_string(data.size()) + " bytes");
    const int64_t phase = m_endReceived ? SimulatorSettings::kEndBlock : m_block;
    if (m_failingRun)
        return UsbErrorTimeout;
    if (m_getStatusTimeoutsLeft > 0) {
        const int64_t at = m_settings.getStatusTimeoutsAt;
        const bool due =
            at == SimulatorSettings::kNoBlock
                ? m_accepted == 0 && !m_endReceived
                : phase == at && (at == SimulatorSettings::kEndBlock || m_accepted <= at);
        if (due) {
            if (m_getStatusTimeoutsLeft != SimulatorSettings::kForever)
                --m_getStatusTimeoutsLeft;
            return UsbErrorTimeout;
        }
    }
    const int64_t shortFrom = m_settings.shortStatusFrom;
    const bool shortReply = shortFrom == SimulatorSettings::kNoBlock ||
                            (shortFrom > SimulatorSettings::kNoBlock &&
                             phase != SimulatorSettings::kNoBlock && phase >= shortFrom);

    uint32_t pollMs = 0;
    const bool tolerant = m_settings.attributes & FunctionalDescriptor::ManifestationTolerant;
    switch (m_state) {
    case State::DnBusy:
    case State::Manifest:
        return hostFault("GETSTATUS " +
                         std::to_string((m_busyUntilUs - m_clock.nowUs() + 999) / 1000) +
                         " ms before bwPollTimeout ran out");
    case State::DnloadSync:
        if (m_writePending && m_busyMs > 0) {
            m_state = State::DnBusy;
            m_busyUntilUs = m_clock.nowUs() + uint64_t(m_busyMs) * 1000;
            pollMs = m_settings.pollMs;
            break;
        }
        m_writePending = false;
        if (m_beyondFlash) {
            enterError(Status::ErrAddress);
        } else if (m_settings.errorStatus > 0 && m_block == m_settings.errorAt) {
            enterError(Status(m_settings.errorStatus));
        } else {
            m_state = State::DnloadIdle;
            ++m_accepted;
        }
        break;
    case State::ManifestSync:
        if (m_settings.errorStatus > 0 && m_settings.errorAt == SimulatorSettings::kEndBlock &&
            !m_manifestStarted) {
            enterError(Status(m_settings.errorStatus));
        } else if (m_manifestRoundsLeft > 0) {
            m_manifestStarted = true;
            // A device that cannot stay on the bus manifests in one go and then waits for reset.
            const int rounds = tolerant ? 1 : m_manifestRoundsLeft;
            m_manifestRoundsLeft -= rounds;
            m_state = State::Manifest;
            m_busyUntilUs = m_clock.nowUs() + uint64_t(m_busyMs) * 1000 * uint64_t(rounds);
            pollMs = m_settings.pollMs;
        } else {
            m_state = State::DfuIdle;
            m_imageComplete = true;
        }
        break;
    default:
        break;
    }

    uint8_t reportedState = uint8_t(m_state);
    if (m_settings.oddState >= 0 && phase == m_settings.oddStateAt)
        reportedState = uint8_t(m_settings.oddState);
    const uint8_t reply[kStatusLength] = {uint8_t(m_status),    uint8_t(pollMs),
                                          uint8_t(pollMs >> 8), uint8_t(pollMs >> 16),
                                          reportedState,        0};
    const int length = shortReply ? 3 : kStatusLength;
    m_garbled = m_garbled || shortReply || reportedState != uint8_t(m_state);
    std::copy_n(reply, length, data.begin());
    return length;
}

int SimulatedDevice::download(uint16_t blockNumber, std::span<const uint8_t> data)
{
    if (data.empty()) {
        if (m_endReceived)
            return hostFault("a second zero-length DNLOAD");
        // It reached the device, whatever the device does next (a device that restarts on it
        // leaves the bus at once).
        m_endAfterBytes = int64_t(m_image.size());
        if (m_state != State::DnloadIdle)
            return hostFault("zero-length DNLOAD");
        if (m_settings.dnloadStallAt == SimulatorSettings::kEndBlock)
            return stall();
        if (m_settings.vanishAt == SimulatorSettings::kEndBlock) {
            leaveBus();
            return UsbErrorNoDevice;
        }
        m_endReceived = true;
        m_state = State::ManifestSync;
        m_manifestRoundsLeft = m_settings.manifestRounds;
        if (m_settings.manifestation != SimulatorSettings::Manifestation::Answers)
            m_imageComplete = true;
        if (m_settings.manifestation == SimulatorSettings::Manifestation::Gone)
            leaveBus(); // after acknowledging the request
        return 0;
    }

    if (m_state != State::DfuIdle && m_state != State::DnloadIdle)
        return hostFault("DNLOAD");
    const int64_t next = m_state == State::DfuIdle ? 0 : m_block + 1;
    if (blockNumber != uint16_t(next)) {
        return hostFault("DNLOAD of block number " + std::to_string(blockNumber) +
                         " where block number " + std::to_string(uint16_t(next)) + " was due");
    }
    if (data.size() > kMaxTransferSize)
        return hostFault("a control transfer of " + std::to_string(data.size()) +
                         " bytes, which Linux refuses");
    if (data.size() > m_settings.transferSize) {
        return hostFault("a block of " + std::to_string(data.size()) +
                         " bytes for a transfer size of " +
                         std::to_string(m_settings.transferSize));
    }
    if (next == m_settings.vanishAt) {
        leaveBus();
        return UsbErrorNoDevice;
    }
    if (next == m_settings.dnloadStallAt)
        return stall();
    if (next == m_settings.dnloadLostAt && !m_dnloadLostDone) {
        m_dnloadLostDone = true;
        return UsbErrorTimeout;
    }

    if (m_state == State::DfuIdle) {
        m_image.clear();
        m_endAfterBytes = -1;
        m_accepted = 0;
        m_imageComplete = false;
    }
    m_block = next;
    m_beyondFlash = m_image.size() + data.size() > size_t(m_settings.flashKib) * 1024;
    if (!m_beyondFlash)
        m_image.insert(m_image.end(), data.begin(), data.end());
    m_state = State::DnloadSync;
    m_writePending = true;
    if (next == m_settings.dnloadTimeoutAt && !m_dnloadTimeoutDone) {
        m_dnloadTimeoutDone = true;
        return UsbErrorTimeout; // received, but the acknowledgement got lost
    }
    return int(data.size());
}

int SimulatedDevice::reset()
{
    ++m_resets;
    if (!m_attached)
        return UsbErrorNoDevice;
    if (m_settings.attributes & FunctionalDescriptor::WillDetach)
        m_violations.push_back("the host reset a device that detaches itself");
    advance();
    if (!m_dfuMode) {
        if (m_state != State::AppDetach)
            reenumerate(false);
        else if (m_settings.neverReturns)
            leaveBus();
        else
            reenumerate(true);
        return UsbErrorNotFound;
    }
    if (m_state == State::ManifestWaitReset) {
        // The new firmware starts, under the product's own ids.
        leaveBus();
        return UsbErrorNotFound;
    }
    reenumerate(true);
    return UsbSuccess;
}

void SimulatedDevice::endRun()
{
    advance();
    const bool willDetach = m_settings.attributes & FunctionalDescriptor::WillDetach;
    if (m_attached && m_endReceived && m_state == State::ManifestWaitReset && !willDetach)
        m_violations.push_back("the host left the device waiting for a reset after manifestation");
    if (m_attached && m_state == State::AppDetach && !willDetach)
        m_violations.push_back("the host sent DETACH and then no reset");
    if (!m_settings.recordPath.empty()) {
        std::ofstream(m_settings.recordPath, std::ios::trunc)
            << "received=" << m_image.size() << " end-after=" << m_endAfterBytes
            << " dfu-error=" << m_enteredError << " garbled=" << m_garbled
            << " breaches=" << m_violations.size() << '\n';
    }
}

void SimulatedDevice::advance()
{
    const uint64_t now = m_clock.nowUs();
    if (m_state == State::DnBusy && now >= m_busyUntilUs) {
        m_state = State::DnloadSync;
        m_writePending = false;
    }
    if (m_state == State::Manifest && now >= m_busyUntilUs) {
        if (m_settings.attributes & FunctionalDescriptor::ManifestationTolerant) {
            m_state = State::ManifestSync;
        } else {
            m_state = State::ManifestWaitReset;
            m_imageComplete = true;
            if (m_settings.attributes & FunctionalDescriptor::WillDetach)
                leaveBus();
        }
    }
}

void SimulatedDevice::enterError(Status status)
{
    m_state = State::Error;
    m_status = status;
    m_enteredError = true;
}

int SimulatedDevice::stall(Status status)
{
    enterError(status);
    return UsbErrorPipe;
}

int SimulatedDevice::hostFault(const std::string& what)
{
    m_violations.push_back(what + " in state " + stateName(m_state));
    return stall();
}

void SimulatedDevice::leaveBus()
{
    m_attached = false;
    ++m_generation;
}

void SimulatedDevice::reenumerate(bool dfuMode)
{
    ++m_generation;
    m_dfuMode = dfuMode;
    m_state = dfuMode ? State::DfuIdle : State::AppIdle;
    m_status = Status::Ok;
    m_block = SimulatorSettings::kNoBlock;
    m_accepted = 0;
    m_writePending = false;
    m_endReceived = false;
}

} // namespace velt::dfu
