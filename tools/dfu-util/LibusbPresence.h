// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "PresenceWatch.h"

#include <cstdint>

struct libusb_context;
struct libusb_device;

namespace velt::dfu {

// Real USB: libusb's hotplug events for the ids wake the watch, which then counts the devices
// with the ids. Where libusb offers no hotplug, the device list is read once a second instead.
class LibusbPresence : public PresenceSource
{
public:
    LibusbPresence(uint16_t vendorId, uint16_t productId);
    ~LibusbPresence() override;
    LibusbPresence(const LibusbPresence&) = delete;
    LibusbPresence& operator=(const LibusbPresence&) = delete;

    WatchResult start() override;
    bool present() const override { return m_count > 0; }
    std::vector<pollfd> descriptors() override;
    int timeoutMs() override;
    WatchResult update() override;

private:
    static int onHotplug(libusb_context* context, libusb_device* device, int event, void* self);
    WatchResult countDevices();

    uint16_t m_vendorId = 0;
    uint16_t m_productId = 0;
    libusb_context* m_context = nullptr;
    bool m_hotplug = false;
    int m_callback = 0;
    bool m_changed = false;
    int m_count = 0;
};

} // namespace velt::dfu
