// SPDX-License-Identifier: Apache-2.0
#include "UsbError.h"

namespace velt::dfu {

std::string usbErrorName(int code)
{
    switch (code) {
    case UsbSuccess:
        return "LIBUSB_SUCCESS";
    case UsbErrorIo:
        return "LIBUSB_ERROR_IO";
    case UsbErrorInvalidParam:
        return "LIBUSB_ERROR_INVALID_PARAM";
    case UsbErrorAccess:
        return "LIBUSB_ERROR_ACCESS";
    case UsbErrorNoDevice:
        return "LIBUSB_ERROR_NO_DEVICE";
    case UsbErrorNotFound:
        return "LIBUSB_ERROR_NOT_FOUND";
    case UsbErrorBusy:
        return "LIBUSB_ERROR_BUSY";
    case UsbErrorTimeout:
        return "LIBUSB_ERROR_TIMEOUT";
    case UsbErrorOverflow:
        return "LIBUSB_ERROR_OVERFLOW";
    case UsbErrorPipe:
        return "LIBUSB_ERROR_PIPE";
    case UsbErrorInterrupted:
        return "LIBUSB_ERROR_INTERRUPTED";
    case UsbErrorNoMem:
        return "LIBUSB_ERROR_NO_MEM";
    case UsbErrorNotSupported:
        return "LIBUSB_ERROR_NOT_SUPPORTED";
    case UsbErrorOther:
        return "LIBUSB_ERROR_OTHER";
    default:
        return "LIBUSB_ERROR_" + std::to_string(code);
    }
}

} // namespace velt::dfu
