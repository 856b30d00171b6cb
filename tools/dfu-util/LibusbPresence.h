// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "PresenceWatch.h"

#include <cstdint>

struct libusb_context;
struct libusb_device;

namespace velt::dfu {

// Real USB: libusb's hotplug events for the ids wake the watch, which then lists the devices
// with the ids and, when there is exactly one, opens it and claims its DFU interface for a
// moment to tell denied and busy from ready. Where libusb offers no hotplug, the device list is
// read once a second instead, and the device opened only when the list changed.
class LibusbPresence : public PresenceSource
{
public:
    LibusbPresence(uint16_t vendorId, uint16_t productId);
    ~LibusbPresence() override;
    LibusbPresence(const LibusbPresence&) = delete;
    LibusbPresence& operator=(const LibusbPresence&) = delete;

    Outcome start() override;
    DeviceState state() const override { return m_state; }
    std::vector<pollfd> descriptors() override;
    int timeoutMs() override;
    Outcome update() override;
    Outcome probe() override { return look(true); }

private:
    static int onHotplug(libusb_context* context, libusb_device* device, int event, void* self);
    // Lists the devices; decides the state again when they changed, or always with `always`.
    Outcome look(bool always);

    uint16_t m_vendorId = 0;
    uint16_t m_productId = 0;
    libusb_context* m_context = nullptr;
    bool m_hotplug = false;
    int m_callback = 0;
    bool m_changed = false;
    std::vector<int> m_seen; // bus and address of the devices with the ids, at the last look
    DeviceState m_state = DeviceState::Absent;
};

} // namespace velt::dfu
