// SPDX-License-Identifier: Apache-2.0
// The one narrow door between the downloader and USB. The tool has two implementations: libusb
// for real devices and the simulated device; the downloader sees only this.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace velt::dfu {

struct UsbInterfaceInfo
{
    uint8_t number = 0;
    uint8_t alternateSetting = 0;
    uint8_t interfaceClass = 0;
    uint8_t interfaceSubclass = 0;
    uint8_t interfaceProtocol = 0;
    std::vector<uint8_t> extra; // class-specific descriptors that follow the interface
};

// One device with the wanted ids, as its active configuration describes it.
struct UsbDeviceInfo
{
    uint8_t busNumber = 0;
    uint8_t address = 0;
    std::vector<uint8_t> configurationExtra;
    std::vector<UsbInterfaceInfo> interfaces;
};

struct ControlSetup
{
    uint8_t requestType = 0;
    uint8_t request = 0;
    uint16_t value = 0;
    uint16_t index = 0;
};

class Transport
{
public:
    virtual ~Transport() = default;

    // Lists the attached devices with these ids. Returns 0 or a negative UsbError.
    virtual int findDevices(uint16_t vendorId, uint16_t productId,
                            std::vector<UsbDeviceInfo>& devices) = 0;
    // Opens the device at `deviceIndex` of the last findDevices and claims the interface (and
    // selects the alternate setting). Returns 0 or a negative UsbError (ACCESS, BUSY, ...).
    virtual int open(size_t deviceIndex, uint8_t interfaceNumber, uint8_t alternateSetting) = 0;
    // A control transfer on endpoint 0 of the open device; the direction comes from bit 7 of
    // requestType. Returns the bytes transferred or a negative UsbError.
    virtual int control(const ControlSetup& setup, std::span<uint8_t> data, unsigned timeoutMs) = 0;
    // A USB port reset of the open device. Returns 0 or a negative UsbError (NOT_FOUND and
    // NO_DEVICE mean the device re-enumerated, which is what a reset is for).
    virtual int reset() = 0;
    // Releases the interface and closes the device; harmless when nothing is open.
    virtual void close() = 0;
};

} // namespace velt::dfu
