// SPDX-License-Identifier: Apache-2.0
// The command line around the downloader: `dfu-util VID PID IMAGE` checks the arguments and the
// image before any USB traffic, picks libusb or the simulated device (VELT_DFU_SIMULATOR), writes
// progress and information to `out` and a failure's explanation to `err`, and returns the exit
// code (ExitCode.h). `dfu-util --watch VID PID` reports the state of such a device: absent,
// present, several, denied or busy (PresenceWatch.h).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace velt::dfu {

// `simulator` is the value of VELT_DFU_SIMULATOR, or null for real USB; the USB-only build
// (without VELT_DFU_WITH_SIMULATOR) ignores it.
int runDfuTool(const std::vector<std::string>& arguments, const char* simulator, std::FILE* out,
               std::FILE* err);

} // namespace velt::dfu
