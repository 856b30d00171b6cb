// SPDX-License-Identifier: Apache-2.0
#include "UsbError.h"

#include <iterator>

namespace velt::dfu {

std::string usbErrorName(int code)
{
    // libusb's errors from -1 down to -12, in that order.
    static constexpr const char* kErrors[] = {
        "IO",      "INVALID_PARAM", "ACCESS", "NO_DEVICE",   "NOT_FOUND", "BUSY",
        "TIMEOUT", "OVERFLOW",      "PIPE",   "INTERRUPTED", "NO_MEM",    "NOT_SUPPORTED",
    };
    if (code == UsbSuccess)
        return "LIBUSB_SUCCESS";
    if (code < 0 && -code <= int(std::size(kErrors)))
        return std::string("LIBUSB_ERROR_") + kErrors[-code - 1];
    return "LIBUSB_ERROR_" + (code == -99 ? std::string("OTHER") : std::to_string(code));
}

} // namespace velt::dfu
