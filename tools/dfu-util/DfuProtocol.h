// SPDX-License-Identifier: Apache-2.0
// Numbers of the USB DFU 1.1 class protocol that both the host side (the downloader) and the
// simulated device speak.
#pragma once

#include <cstdint>
#include <string>

namespace velt::dfu {

enum class Request : uint8_t {
    Detach = 0,
    Dnload = 1,
    Upload = 2,
    GetStatus = 3,
    ClrStatus = 4,
    GetState = 5,
    Abort = 6,
};

// bmRequestType of class requests addressed to the DFU interface.
constexpr uint8_t kRequestTypeOut = 0x21;
constexpr uint8_t kRequestTypeIn = 0xA1;

constexpr uint8_t requestType(Request request)
{
    const bool in =
        request == Request::GetStatus || request == Request::GetState || request == Request::Upload;
    return in ? kRequestTypeIn : kRequestTypeOut;
}
// Standard GET_DESCRIPTOR, device-to-host, addressed to the device.
constexpr uint8_t kRequestTypeStandardIn = 0x80;
constexpr uint8_t kGetDescriptor = 6;

constexpr uint8_t kFunctionalDescriptorType = 0x21;
constexpr uint8_t kInterfaceClassApplication = 0xFE;
constexpr uint8_t kInterfaceSubclassDfu = 0x01;
constexpr uint8_t kProtocolRuntime = 1;

enum class State : uint8_t {
    AppIdle = 0,
    AppDetach = 1,
    DfuIdle = 2,
    DnloadSync = 3,
    DnBusy = 4,
    DnloadIdle = 5,
    ManifestSync = 6,
    Manifest = 7,
    ManifestWaitReset = 8,
    UploadIdle = 9,
    Error = 10,
};

// The statuses the code names; stateName and statusName know them all.
enum class Status : uint8_t {
    Ok = 0,
    ErrAddress = 8,
    ErrUnknown = 14,
    ErrStalledPkt = 15,
};

// GETSTATUS answers with exactly this many bytes.
constexpr int kStatusLength = 6;

// Linux usbfs refuses control transfers above 4096 bytes, whatever the device announces.
constexpr uint16_t kMaxTransferSize = 4096;

// bwPollTimeout is 24 bits wide: 0xFFFFFF ms would be 4.6 hours. The slowest thing a device
// waits on between two GETSTATUS is erasing a flash sector, a few seconds at worst, and a
// device that needs longer can answer dfuDNBUSY again. A device that asks for more than this in
// one wait misbehaves (README.md says why this value).
constexpr uint32_t kPollTimeoutLimitMs = 10000;

// "dfuDNLOAD-IDLE", "dfuERROR", ...; unknown numbers come back as the number, "42".
std::string stateName(State state);
// "OK", "errWRITE", ...; unknown numbers come back as "status 42".
std::string statusName(Status status);
// The inverse of statusName for known names; -1 when the name is not a status.
int statusFromName(const std::string& name);
// The inverse of stateName for known names; -1 when the name is not a state.
int stateFromName(const std::string& name);

} // namespace velt::dfu
