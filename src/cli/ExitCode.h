// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace velt {

// How the program ends, in the window and on the command line alike. Scripts rely on these
// numbers: --help, the manual page and the README list them.
enum class ExitCode : int {
    Success = 0,
    UpdateFailed = 1,     // the device was not written, or its write failed
    Usage = 2,            // wrong options, nothing to update, or no confirmation
    DeviceNotUsable = 3,  // no device in DFU mode, several, access denied or busy
    DownloadFailed = 4,   // the catalogue or the image could not be fetched
    ImageCheckFailed = 5, // the image failed its checks; nothing was written
    Cancelled = 6,        // stopped before anything was written
    AnotherInstance = 7,  // another instance of the updater runs for this user
};

constexpr int exitStatus(ExitCode code)
{
    return int(code);
}

// The table --help shows.
inline constexpr const char* exitCodesHelp =
    "Exit codes:\n"
    "  0  success\n"
    "  1  update failed\n"
    "  2  usage error\n"
    "  3  device not usable (none, several, denied, busy)\n"
    "  4  catalogue or download failed\n"
    "  5  image check failed\n"
    "  6  cancelled before writing\n"
    "  7  another instance is running";

} // namespace velt
