// SPDX-License-Identifier: Apache-2.0
// The tool's exit codes, one per kind of ending (README.md lists them for users).
#pragma once

#include <string>

namespace velt::dfu {

enum class ExitCode : int {
    Success = 0,
    NoDfuDevice = 2,      // no device in DFU mode with these ids, or it did not come back
    SeveralDevices = 3,   // more than one device with these ids
    CannotOpen = 4,       // open refused (permissions) or failed otherwise
    NoStatusAnswer = 5,   // the device stopped answering GETSTATUS
    DeviceError = 6,      // the device reported an error status or stalled a request
    UsbFailure = 7,       // the device disconnected or a transfer failed otherwise
    DeviceMisbehaved = 8, // malformed answers, unknown or unexpected states
    DeviceBusy = 9,       // claiming the interface refused: another program holds the device
    Usage = 64,           // wrong arguments
    BadImage = 65,        // empty, too large, corrupt suffix, image for another device
    UnreadableImage = 66, // the image cannot be read or is no regular file
    HostViolation = 70,   // the simulated device caught the host breaking the protocol
};

// How a run, or a step of one, ended.
struct Outcome
{
    ExitCode code = ExitCode::Success;
    std::string message; // for standard error; empty on success

    bool failed() const { return code != ExitCode::Success; }
};

} // namespace velt::dfu
