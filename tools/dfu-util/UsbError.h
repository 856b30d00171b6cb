// SPDX-License-Identifier: Apache-2.0
// Results of USB operations as the transport reports them. The values and names are libusb's
// (libusb_error, libusb_error_name), so messages read the same whichever transport produced
// them; the downloader itself never includes libusb.
#pragma once

#include <string>

namespace velt::dfu {

// The results the tool tells apart; usbErrorName names every other libusb error as well.
enum UsbError : int {
    UsbSuccess = 0,
    UsbErrorIo = -1,
    UsbErrorAccess = -3,
    UsbErrorNoDevice = -4,
    UsbErrorNotFound = -5,
    UsbErrorBusy = -6,
    UsbErrorTimeout = -7,
    UsbErrorPipe = -9,
};

// "LIBUSB_ERROR_TIMEOUT", "LIBUSB_SUCCESS", ... as libusb_error_name spells them.
std::string usbErrorName(int code);

// TIMEOUT and IO: the request went out and nothing sensible came back.
inline bool isNoAnswer(int code)
{
    return code == UsbErrorTimeout || code == UsbErrorIo;
}

} // namespace velt::dfu
