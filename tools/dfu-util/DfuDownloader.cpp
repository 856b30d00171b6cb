// SPDX-License-Identifier: Apache-2.0
#include "DfuDownloader.h"

#include "DfuFile.h"
#include "UsbError.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace velt::dfu {

namespace {

bool isDfuInterface(const UsbInterfaceInfo& interface)
{
    return interface.interfaceClass == kInterfaceClassApplication &&
           interface.interfaceSubclass == kInterfaceSubclassDfu;
}

Outcome failure(ExitCode code, std::string message)
{
    return {code, std::move(message)};
}

} // namespace

DfuDownloader::DfuDownloader(Transport& transport, Clock& clock, DownloadReporter reporter)
    : m_transport(transport), m_clock(clock), m_reporter(std::move(reporter))
{
}

Outcome DfuDownloader::download(uint16_t vendorId, uint16_t productId,
                                std::span<const uint8_t> payload)
{
    m_ids = deviceIds(vendorId, productId);
    // An end-of-image with no image before it would leave the device in dfuERROR.
    if (payload.empty())
        return failure(ExitCode::BadImage, "There is no firmware to send.");
    Mode mode = Mode::Dfu;
    Outcome outcome = connect(vendorId, productId, false, mode);
    if (!outcome.failed() && mode == Mode::Runtime)
        outcome = detach(vendorId, productId);
    if (!outcome.failed())
        outcome = bringToIdle();

    uint32_t block = 0;
    size_t written = 0;
    while (!outcome.failed() && written < payload.size()) {
        const size_t length = std::min<size_t>(m_transferSize, payload.size() - written);
        outcome = sendBlock(block, payload.subspan(written, length));
        if (outcome.failed())
            break;
        written += length;
        ++block;
        // "N of N" would read as a finished write; it waits until the device took the end too.
        if (m_reporter.progress && written < payload.size())
            m_reporter.progress(written, payload.size());
    }
    if (!outcome.failed())
        outcome = finish(block);
    m_transport.close();
    if (!outcome.failed() && m_reporter.progress)
        m_reporter.progress(payload.size(), payload.size());
    return outcome;
}

Outcome DfuDownloader::connect(uint16_t vendorId, uint16_t productId, bool afterDetach, Mode& mode)
{
    std::vector<UsbDeviceInfo> devices;
    const int listed = m_transport.findDevices(vendorId, productId, devices);
    if (listed < 0) {
        return failure(ExitCode::UsbFailure,
                       "Cannot list the USB devices: " + usbErrorName(listed) + ".");
    }
    std::vector<size_t> candidates;
    for (size_t i = 0; i < devices.size(); ++i) {
        if (std::ranges::any_of(devices[i].interfaces, isDfuInterface))
            candidates.push_back(i);
    }
    const std::string returning = afterDetach ? " after DETACH" : "";
    if (devices.empty()) {
        return failure(ExitCode::NoDfuDevice, "No device " + m_ids + " is connected" + returning +
                                                  ". " + kEnterDfuModeMarker);
    }
    if (candidates.empty()) {
        return failure(ExitCode::NoDfuDevice, "The device " + m_ids + " offers no DFU interface" +
                                                  returning + ". " + kEnterDfuModeMarker);
    }
    if (candidates.size() > 1) {
        return failure(ExitCode::SeveralDevices,
                       std::to_string(candidates.size()) + " devices " + m_ids +
                           " are connected; connect only the one to update.");
    }

    const UsbDeviceInfo& device = devices[candidates.front()];
    // The functional descriptor sits after the DFU interface on most devices, but some put it
    // among the configuration's own extra bytes; others only answer GET_DESCRIPTOR for it.
    std::optional<FunctionalDescriptor> descriptor =
        findFunctionalDescriptor(device.configurationExtra);
    const UsbInterfaceInfo* chosen = nullptr;
    for (const UsbInterfaceInfo& interface : device.interfaces) {
        if (!isDfuInterface(interface))
            continue;
        if (!chosen || interface.alternateSetting < chosen->alternateSetting)
            chosen = &interface;
        if (!descriptor)
            descriptor = findFunctionalDescriptor(interface.extra);
    }

    const int opened =
        m_transport.open(candidates.front(), chosen->number, chosen->alternateSetting);
    if (opened == UsbErrorAccess || opened == UsbErrorBusy) {
        const std::string why = opened == UsbErrorAccess
                                    ? "this user may not open it. Install the udev rule "
                                      "70-velt-dfu.rules (see the README), then unplug and "
                                      "reconnect the device."
                                    : "another program or driver is using it. Close other "
                                      "updaters, then unplug and reconnect the device.";
        return failure(opened == UsbErrorAccess ? ExitCode::CannotOpen : ExitCode::DeviceBusy,
                       "Cannot open the device " + m_ids + " (" + usbErrorName(opened) +
                           "): " + why);
    }
    if (opened < 0) {
        return failure(ExitCode::CannotOpen,
                       "Cannot open the device " + m_ids + ": " + usbErrorName(opened) + ".");
    }
    m_interface = chosen->number;

    if (!descriptor) {
        uint8_t bytes[9] = {};
        const ControlSetup setup{kRequestTypeStandardIn, kGetDescriptor,
                                 uint16_t(kFunctionalDescriptorType << 8), 0};
        const int length = m_transport.control(setup, bytes, kStatusTimeoutMs);
        if (length > 0)
            descriptor = findFunctionalDescriptor(std::span(bytes, size_t(length)));
    }
    const char* unusable = !descriptor ? "has no DFU functional descriptor"
                           : !descriptor->has(FunctionalDescriptor::CanDownload)
                               ? "does not accept downloads"
                           : descriptor->transferSize == 0 ? "announces a transfer size of 0 bytes"
                                                           : nullptr;
    if (unusable)
        return failure(ExitCode::DeviceMisbehaved, "The device " + m_ids + " " + unusable + ".");
    m_descriptor = *descriptor;
    m_transferSize = std::min(descriptor->transferSize, kMaxTransferSize);

    // DFU 1.1 marks runtime interfaces with protocol 1; DFU 1.0 devices use 0 in both modes,
    // so only GETSTATUS tells (appIDLE or a dfu* state).
    if (chosen->interfaceProtocol == kProtocolRuntime) {
        mode = Mode::Runtime;
        return {};
    }
    m_initial = getStatus(kStatusTries);
    if (m_initial.result < 0 || m_initial.shortReply)
        return statusFailure(m_initial, "when it was opened");
    mode = m_initial.state == State::AppIdle || m_initial.state == State::AppDetach ? Mode::Runtime
                                                                                    : Mode::Dfu;
    if (mode == Mode::Dfu) {
        char version[16] = "1.0"; // DFU 1.0 descriptors carry no bcdDFUVersion
        if (m_descriptor.dfuVersion) {
            std::snprintf(version, sizeof version, "%x.%x", m_descriptor.dfuVersion >> 8,
                          (m_descriptor.dfuVersion >> 4) & 0xF);
        }
        info("[i] Found " + m_ids + " in DFU mode (bus " + std::to_string(device.busNumber) +
             ", address " + std::to_string(device.address) + ", DFU " + version +
             ", transfer size " + std::to_string(m_transferSize) + " bytes).");
    }
    return {};
}

Outcome DfuDownloader::detach(uint16_t vendorId, uint16_t productId)
{
    info("[i] The device is in runtime mode; switching it to DFU mode.");
    const bool willDetach = m_descriptor.has(FunctionalDescriptor::WillDetach);
    const int sent = request(Request::Detach, m_descriptor.detachTimeoutMs, {}, kStatusTimeoutMs);
    // A device that detaches itself may be gone before it acknowledges.
    if (sent < 0 && sent != UsbErrorNoDevice) {
        m_transport.close();
        return failure(ExitCode::NoDfuDevice, "The device refused DETACH (" + usbErrorName(sent) +
                                                  "). " + kEnterDfuModeMarker);
    }
    if (!willDetach)
        m_transport.reset();
    m_transport.close();

    const uint64_t deadline =
        m_clock.nowUs() +
        uint64_t(kReenumerationMs + (willDetach ? m_descriptor.detachTimeoutMs : 0)) * 1000;
    for (;;) {
        m_clock.sleepMs(kReenumerationPollMs);
        Mode mode = Mode::Runtime;
        Outcome outcome = connect(vendorId, productId, true, mode);
        if (!outcome.failed() && mode == Mode::Dfu)
            return outcome;
        // Until the deadline, an absent device or one still in runtime mode is on its way, and
        // one that cannot be opened yet may still be waiting for udev to grant access.
        const bool cannotOpen =
            outcome.code == ExitCode::CannotOpen || outcome.code == ExitCode::DeviceBusy;
        if (outcome.failed() && outcome.code != ExitCode::NoDfuDevice && !cannotOpen)
            return outcome;
        m_transport.close();
        if (m_clock.nowUs() >= deadline) {
            if (cannotOpen)
                return outcome;
            return failure(ExitCode::NoDfuDevice,
                           "The device did not come back in DFU mode after DETACH. " +
                               std::string(kEnterDfuModeMarker));
        }
    }
}

Outcome DfuDownloader::bringToIdle()
{
    StatusReply reply = m_initial;
    const uint64_t start = m_clock.nowUs();
    for (int round = 0; round < 8; ++round) {
        const State state = reply.state;
        int sent = 0;
        if (state == State::DfuIdle) {
            return {};
        } else if (state == State::Error) {
            info("[i] Clearing the device's earlier error (" + statusName(reply.status) + ").");
            sent = request(Request::ClrStatus, 0, {}, kStatusTimeoutMs);
        } else if (state == State::DnloadIdle || state == State::UploadIdle) {
            info("[i] Aborting the device's unfinished transfer (" + stateName(state) + ").");
            sent = request(Request::Abort, 0, {}, kStatusTimeoutMs);
        } else if (state == State::DnloadSync || state == State::DnBusy) {
            // It is still busy with a block from an interrupted run; let it finish.
            if (m_clock.nowUs() - start > uint64_t(kBusyLimitMs) * 1000)
                break;
            const Outcome waited = waitPoll(reply, "while it was being prepared");
            if (waited.failed())
                return waited;
        } else {
            return failure(ExitCode::DeviceMisbehaved,
                           "The device is in state " + stateName(state) +
                               " and cannot be made ready; unplug and reconnect it.");
        }
        if (sent == UsbErrorNoDevice)
            return failure(ExitCode::UsbFailure, "The device disconnected.");
        if (sent < 0) {
            return failure(ExitCode::UsbFailure, "The device did not leave state " +
                                                     stateName(state) + ": " + usbErrorName(sent) +
                                                     ".");
        }
        reply = getStatus(kStatusTries);
        if (reply.result < 0 || reply.shortReply)
            return statusFailure(reply, "while it was being prepared");
    }
    return failure(ExitCode::DeviceMisbehaved, "The device does not become ready (state " +
                                                   stateName(reply.state) + ", status " +
                                                   statusName(reply.status) + ").");
}

Outcome DfuDownloader::sendBlock(uint32_t block, std::span<const uint8_t> data)
{
    const std::string name = "block " + std::to_string(block);
    // DNLOAD does not write into the buffer; the transport interface is shared with IN requests.
    const std::span<uint8_t> bytes(const_cast<uint8_t*>(data.data()), data.size());
    for (int attempt = 0;; ++attempt) {
        const int sent = request(Request::Dnload, uint16_t(block), bytes, kTransferTimeoutMs);
        if (sent == int(data.size()))
            return awaitBlock(block);
        if (sent >= 0) {
            return failure(ExitCode::DeviceMisbehaved,
                           "The device took " + std::to_string(sent) + " of the " +
                               std::to_string(data.size()) + " bytes of " + name + ".");
        }
        if (sent == UsbErrorNoDevice)
            return failure(ExitCode::UsbFailure, "The device disconnected at " + name + ".");
        if (sent == UsbErrorPipe) {
            const StatusReply reply = getStatus(kStatusTries);
            if (reply.result < 0 || reply.shortReply)
                return statusFailure(reply, "after it refused " + name);
            return deviceError(reply,
                               "The device refused " + name + " (" + usbErrorName(sent) + ")");
        }
        if (!isNoAnswer(sent)) {
            return failure(ExitCode::UsbFailure,
                           "Sending " + name + " failed: " + usbErrorName(sent) + ".");
        }
        // The block may or may not have arrived. GETSTATE changes nothing on the device and tells
        // the two apart: a received block leaves it in dfuDNLOAD-SYNC.
        State state = State::AppIdle;
        const int asked = getState(state);
        if (asked < 0) {
            return failure(ExitCode::UsbFailure, "The device answered neither " + name + " (" +
                                                     usbErrorName(sent) + ") nor GETSTATE (" +
                                                     usbErrorName(asked) + ").");
        }
        if (state == State::DnloadSync || state == State::DnBusy)
            return awaitBlock(block);
        const bool notReceived =
            state == State::DnloadIdle || (block == 0 && state == State::DfuIdle);
        if (notReceived && attempt == 0) {
            info("[w] The device did not receive " + name + " (" + usbErrorName(sent) +
                 "); sending it again.");
            continue;
        }
        if (state == State::Error) {
            const StatusReply reply = getStatus(kStatusTries);
            if (reply.result < 0 || reply.shortReply)
                return statusFailure(reply, "after " + name);
            return deviceError(reply, "Sending " + name + " failed (" + usbErrorName(sent) + ")");
        }
        return failure(ExitCode::UsbFailure, "Sending " + name + " failed (" + usbErrorName(sent) +
                                                 "); the device is in state " + stateName(state) +
                                                 ".");
    }
}

Outcome DfuDownloader::awaitBlock(uint32_t block)
{
    const std::string when = "after block " + std::to_string(block);
    const uint64_t start = m_clock.nowUs();
    for (;;) {
        const StatusReply reply = getStatus(kStatusTries);
        if (reply.result < 0 || reply.shortReply)
            return statusFailure(reply, when);
        if (reply.state == State::Error || reply.status != Status::Ok)
            return deviceError(reply, "Block " + std::to_string(block) + " failed");
        if (reply.state == State::DnloadIdle)
            return {};
        if (reply.state != State::DnBusy && reply.state != State::DnloadSync) {
            return failure(ExitCode::DeviceMisbehaved,
                           "The device reports state " + stateName(reply.state) + " " + when + ".");
        }
        if (m_clock.nowUs() - start > uint64_t(kBusyLimitMs) * 1000) {
            return failure(ExitCode::DeviceMisbehaved,
                           "The device stayed busy " + when + " for over " +
                               std::to_string(kBusyLimitMs / 1000) + " seconds.");
        }
        const Outcome waited = waitPoll(reply, when);
        if (waited.failed())
            return waited;
    }
}

Outcome DfuDownloader::finish(uint32_t block)
{
    const bool tolerant = m_descriptor.has(FunctionalDescriptor::ManifestationTolerant);
    const bool willDetach = m_descriptor.has(FunctionalDescriptor::WillDetach);
    // Without bitWillDetach a device that cannot stay on the bus during manifestation waits for
    // the host to reset it.
    const bool hostResets = !tolerant && !willDetach;

    int sent = request(Request::Dnload, uint16_t(block), {}, kTransferTimeoutMs);
    bool endResent = false;
    const uint64_t start = m_clock.nowUs();
    for (;;) {
        // Devices often restart right after the end of the image: once it is sent, a device that
        // stops answering without having reported dfuERROR has finished. One lost answer is no
        // restart, though, and a garbled one is a device still there and answering wrongly.
        const StatusReply reply = getStatus(kStatusTries);
        if (reply.shortReply)
            return statusFailure(reply, "after the last block");
        if (reply.result < 0) {
            info("[i] The device left the bus to start its new firmware (" +
                 usbErrorName(reply.result) + ").");
            if (hostResets)
                m_transport.reset();
            return {};
        }
        if (reply.state == State::Error || reply.status != Status::Ok)
            return deviceError(reply, "The device rejected the image");
        if (reply.state == State::DfuIdle) {
            info("[i] The device has installed the firmware.");
            return {};
        }
        if (reply.state == State::ManifestWaitReset) {
            info("[i] The device has installed the firmware and restarts.");
            if (hostResets)
                m_transport.reset();
            return {};
        }
        if (reply.state == State::DnloadIdle && sent < 0 && !endResent) {
            // The end-of-image request never arrived (its failure said so), so sending it again
            // cannot make a second one.
            endResent = true;
            sent = request(Request::Dnload, uint16_t(block), {}, kTransferTimeoutMs);
            continue;
        }
        if (reply.state != State::ManifestSync && reply.state != State::Manifest) {
            return failure(ExitCode::DeviceMisbehaved, "The device reports state " +
                                                           stateName(reply.state) +
                                                           " after the last block.");
        }
        if (m_clock.nowUs() - start > uint64_t(kBusyLimitMs) * 1000) {
            return failure(ExitCode::DeviceMisbehaved,
                           "The device did not finish installing the firmware within " +
                               std::to_string(kBusyLimitMs / 1000) + " seconds.");
        }
        const Outcome waited = waitPoll(reply, "after the last block");
        if (waited.failed())
            return waited;
    }
}

DfuDownloader::StatusReply DfuDownloader::getStatus(int tries)
{
    StatusReply reply;
    for (int attempt = 1; attempt <= tries; ++attempt) {
        uint8_t bytes[kStatusLength] = {};
        const int length = request(Request::GetStatus, 0, bytes, kStatusTimeoutMs);
        reply.attempts = attempt;
        if (length == kStatusLength) {
            reply.shortReply = false;
            reply.result = 0;
            reply.status = Status(bytes[0]);
            reply.pollTimeoutMs = uint32_t(bytes[1] | bytes[2] << 8 | bytes[3] << 16);
            reply.state = State(bytes[4]);
            return reply;
        }
        if (length >= 0) {
            // A garbled answer; asking again is harmless. Unless a whole answer follows, the
            // device stays one that answers wrongly: silence after it is no restart.
            reply.shortReply = true;
            reply.length = length;
            reply.result = 0;
            continue;
        }
        reply.result = length;
        if (!isNoAnswer(length))
            return reply;
    }
    return reply;
}

int DfuDownloader::getState(State& state)
{
    int result = UsbErrorTimeout;
    for (int attempt = 0; attempt < kStatusTries; ++attempt) {
        uint8_t byte = 0;
        result = request(Request::GetState, 0, std::span(&byte, 1), kStatusTimeoutMs);
        if (result == 1) {
            state = State(byte);
            return 0;
        }
        if (result >= 0)
            result = UsbErrorIo;
        else if (!isNoAnswer(result))
            return result;
    }
    return result;
}

int DfuDownloader::request(Request request, uint16_t value, std::span<uint8_t> data,
                           unsigned timeoutMs)
{
    return m_transport.control({requestType(request), uint8_t(request), value, m_interface}, data,
                               timeoutMs);
}

Outcome DfuDownloader::waitPoll(const StatusReply& reply, const std::string& when)
{
    if (reply.pollTimeoutMs > kPollTimeoutLimitMs) {
        return failure(ExitCode::DeviceMisbehaved,
                       "The device asked to wait " + std::to_string(reply.pollTimeoutMs) +
                           " ms before the next GETSTATUS " + when + "; no device needs over " +
                           std::to_string(kPollTimeoutLimitMs / 1000) + " seconds.");
    }
    // A busy device that asks for no wait at all still gets a millisecond, so a stuck device
    // is not hammered in a tight loop.
    m_clock.sleepMs(std::max<uint32_t>(reply.pollTimeoutMs, 1));
    return {};
}

Outcome DfuDownloader::statusFailure(const StatusReply& reply, const std::string& when)
{
    if (reply.shortReply) {
        return failure(ExitCode::DeviceMisbehaved, "The device answered GETSTATUS " + when +
                                                       " with " + std::to_string(reply.length) +
                                                       " bytes instead of 6.");
    }
    if (isNoAnswer(reply.result)) {
        return failure(ExitCode::NoStatusAnswer, "The device did not answer GETSTATUS " + when +
                                                     " (" + usbErrorName(reply.result) + ", " +
                                                     std::to_string(reply.attempts) + " tries). " +
                                                     kGetStatusMarker);
    }
    if (reply.result == UsbErrorNoDevice)
        return failure(ExitCode::UsbFailure, "The device disconnected " + when + ".");
    return failure(ExitCode::UsbFailure,
                   "GETSTATUS " + when + " failed: " + usbErrorName(reply.result) + ".");
}

Outcome DfuDownloader::deviceError(const StatusReply& reply, const std::string& what)
{
    return failure(ExitCode::DeviceError, what + ": the device reports state " +
                                              stateName(reply.state) + ", status " +
                                              statusName(reply.status) + ".");
}

void DfuDownloader::info(const std::string& line)
{
    if (m_reporter.info)
        m_reporter.info(line);
}

} // namespace velt::dfu
