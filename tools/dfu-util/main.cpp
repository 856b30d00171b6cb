// SPDX-License-Identifier: Apache-2.0
// dfu-util: writes a DFU image into a USB device in DFU mode (see README.md).
#include "DfuTool.h"

#include <cstdlib>
#include <sys/prctl.h>

int main(int argc, char** argv)
{
    // A download is thousands of waits of a few milliseconds each; the default 50 us timer
    // slack on every one of them would add measurably to the flashing time.
    prctl(PR_SET_TIMERSLACK, 1UL);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
#ifdef VELT_DFU_WITH_SIMULATOR
    const char* simulator = std::getenv("VELT_DFU_SIMULATOR");
#else
    const char* simulator = nullptr; // the installed tool talks to USB only
#endif
    return velt::dfu::runDfuTool(arguments, simulator, stdout, stderr);
}
