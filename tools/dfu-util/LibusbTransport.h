// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "Transport.h"

struct libusb_context;
struct libusb_device;
struct libusb_device_handle;

namespace velt::dfu {

// Real devices through libusb-1.0. Kernel drivers bound to the DFU interface are detached
// while it is claimed and reattached when it is released.
class LibusbTransport : public Transport
{
public:
    LibusbTransport();
    ~LibusbTransport() override;
    LibusbTransport(const LibusbTransport&) = delete;
    LibusbTransport& operator=(const LibusbTransport&) = delete;

    // 0, or the libusb error from libusb_init; nothing else works without it.
    int initResult() const { return m_initResult; }

    int findDevices(uint16_t vendorId, uint16_t productId,
                    std::vector<UsbDeviceInfo>& devices) override;
    int open(size_t deviceIndex, uint8_t interfaceNumber, uint8_t alternateSetting) override;
    int control(const ControlSetup& setup, std::span<uint8_t> data, unsigned timeoutMs) override;
    int reset() override;
    void close() override;

private:
    void forgetDevices();

    libusb_context* m_context = nullptr;
    int m_initResult = 0;
    std::vector<libusb_device*> m_devices; // referenced, from the last findDevices
    libusb_device_handle* m_handle = nullptr;
    int m_claimed = -1;
};

} // namespace velt::dfu
