// SPDX-License-Identifier: Apache-2.0
#include "LibusbTransport.h"

#include "UsbError.h"

#include <libusb.h>

namespace velt::dfu {

namespace {

constexpr bool same(UsbError ours, libusb_error theirs)
{
    return int(ours) == int(theirs);
}

static_assert(same(UsbErrorIo, LIBUSB_ERROR_IO) && same(UsbErrorAccess, LIBUSB_ERROR_ACCESS) &&
                  same(UsbErrorNoDevice, LIBUSB_ERROR_NO_DEVICE) &&
                  same(UsbErrorNotFound, LIBUSB_ERROR_NOT_FOUND) &&
                  same(UsbErrorBusy, LIBUSB_ERROR_BUSY) &&
                  same(UsbErrorTimeout, LIBUSB_ERROR_TIMEOUT) &&
                  same(UsbErrorPipe, LIBUSB_ERROR_PIPE) && LIBUSB_ERROR_OTHER == -99,
              "the transport passes libusb's error codes through unchanged");

} // namespace

LibusbTransport::LibusbTransport()
{
    m_initResult = libusb_init(&m_context);
    if (m_initResult < 0)
        m_context = nullptr;
}

LibusbTransport::~LibusbTransport()
{
    close();
    forgetDevices();
    if (m_context)
        libusb_exit(m_context);
}

int LibusbTransport::findDevices(uint16_t vendorId, uint16_t productId,
                                 std::vector<UsbDeviceInfo>& devices)
{
    devices.clear();
    forgetDevices();
    if (!m_context)
        return m_initResult;
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(m_context, &list);
    if (count < 0)
        return int(count);
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device* device = list[i];
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(device, &descriptor) < 0 ||
            descriptor.idVendor != vendorId || descriptor.idProduct != productId)
            continue;
        libusb_config_descriptor* config = nullptr;
        if (libusb_get_active_config_descriptor(device, &config) < 0 &&
            libusb_get_config_descriptor(device, 0, &config) < 0)
            config = nullptr;
        UsbDeviceInfo info;
        info.busNumber = libusb_get_bus_number(device);
        info.address = libusb_get_device_address(device);
        if (config) {
            info.configurationExtra.assign(config->extra, config->extra + config->extra_length);
            for (int n = 0; n < config->bNumInterfaces; ++n) {
                const libusb_interface& interface = config->interface[n];
                for (int a = 0; a < interface.num_altsetting; ++a) {
                    const libusb_interface_descriptor& alt = interface.altsetting[a];
                    info.interfaces.push_back({alt.bInterfaceNumber,
                                               alt.bAlternateSetting,
                                               alt.bInterfaceClass,
                                               alt.bInterfaceSubClass,
                                               alt.bInterfaceProtocol,
                                               {alt.extra, alt.extra + alt.extra_length}});
                }
            }
            libusb_free_config_descriptor(config);
        }
        devices.push_back(std::move(info));
        m_devices.push_back(libusb_ref_device(device));
    }
    libusb_free_device_list(list, 1);
    return 0;
}

int LibusbTransport::open(size_t deviceIndex, uint8_t interfaceNumber, uint8_t alternateSetting)
{
    close();
    if (deviceIndex >= m_devices.size())
        return LIBUSB_ERROR_NOT_FOUND;
    int result = libusb_open(m_devices[deviceIndex], &m_handle);
    if (result < 0) {
        m_handle = nullptr;
        return result;
    }
    // Not every platform can detach kernel drivers; where it cannot, claiming says BUSY.
    libusb_set_auto_detach_kernel_driver(m_handle, 1);
    result = libusb_claim_interface(m_handle, interfaceNumber);
    if (result == 0) {
        m_claimed = interfaceNumber;
        if (alternateSetting != 0)
            result = libusb_set_interface_alt_setting(m_handle, interfaceNumber, alternateSetting);
    }
    if (result < 0)
        close();
    return result;
}

int LibusbTransport::control(const ControlSetup& setup, std::span<uint8_t> data, unsigned timeoutMs)
{
    if (!m_handle)
        return LIBUSB_ERROR_NO_DEVICE;
    return libusb_control_transfer(m_handle, setup.requestType, setup.request, setup.value,
                                   setup.index, data.data(), uint16_t(data.size()), timeoutMs);
}

int LibusbTransport::reset()
{
    if (!m_handle)
        return LIBUSB_ERROR_NOT_FOUND;
    return libusb_reset_device(m_handle);
}

void LibusbTransport::close()
{
    if (!m_handle)
        return;
    // After a reset or a disconnect these fail; the handle still has to be closed.
    if (m_claimed >= 0)
        libusb_release_interface(m_handle, m_claimed);
    m_claimed = -1;
    libusb_close(m_handle);
    m_handle = nullptr;
}

void LibusbTransport::forgetDevices()
{
    for (libusb_device* device : m_devices)
        libusb_unref_device(device);
    m_devices.clear();
}

} // namespace velt::dfu
