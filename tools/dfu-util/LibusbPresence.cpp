// SPDX-License-Identifier: Apache-2.0
#include "LibusbPresence.h"

#include "UsbError.h"

#include <libusb.h>

namespace velt::dfu {

namespace {

constexpr int kPollIntervalMs = 1000;

Outcome usbFailure(const std::string& what, int code)
{
    return {ExitCode::UsbFailure, what + ": " + usbErrorName(code) + "."};
}

// The first interface of class 0xFE, subclass 0x01 in the active configuration, or -1.
int dfuInterface(libusb_device* device)
{
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(device, &config) < 0)
        return -1;
    int found = -1;
    for (int n = 0; n < config->bNumInterfaces && found < 0; ++n) {
        const libusb_interface& interface = config->interface[n];
        for (int a = 0; a < interface.num_altsetting && found < 0; ++a) {
            const libusb_interface_descriptor& alt = interface.altsetting[a];
            if (alt.bInterfaceClass == 0xFE && alt.bInterfaceSubClass == 0x01)
                found = alt.bInterfaceNumber;
        }
    }
    libusb_free_config_descriptor(config);
    return found;
}

// Opening decides denied; claiming the DFU interface, released at once, decides busy. A kernel
// driver on the interface is no obstacle (a flashing run detaches it) and is left alone. A device
// that cannot be opened for another reason is on its way out, or a flashing run will say what is
// wrong with it.
DeviceState openAndClaim(libusb_device* device)
{
    libusb_device_handle* handle = nullptr;
    const int opened = libusb_open(device, &handle);
    if (opened == LIBUSB_ERROR_ACCESS)
        return DeviceState::Denied;
    if (opened < 0)
        return DeviceState::Present;
    DeviceState state = DeviceState::Present;
    const int interface = dfuInterface(device);
    if (interface >= 0 && libusb_kernel_driver_active(handle, interface) != 1) {
        const int claimed = libusb_claim_interface(handle, interface);
        if (claimed == 0)
            libusb_release_interface(handle, interface);
        else if (claimed == LIBUSB_ERROR_BUSY)
            state = DeviceState::Busy;
    }
    libusb_close(handle);
    return state;
}

} // namespace

LibusbPresence::LibusbPresence(uint16_t vendorId, uint16_t productId)
    : m_vendorId(vendorId), m_productId(productId)
{
}

LibusbPresence::~LibusbPresence()
{
    if (!m_context)
        return;
    if (m_hotplug)
        libusb_hotplug_deregister_callback(m_context, m_callback);
    libusb_exit(m_context);
}

Outcome LibusbPresence::start()
{
    const int initialised = libusb_init(&m_context);
    if (initialised < 0) {
        m_context = nullptr;
        return usbFailure("Cannot start libusb", initialised);
    }
    if (!libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG))
        return look(true);
    const int registered = libusb_hotplug_register_callback(
        m_context,
        libusb_hotplug_event(LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED |
                             LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT),
        libusb_hotplug_flag(0), m_vendorId, m_productId, LIBUSB_HOTPLUG_MATCH_ANY,
        [](libusb_context* context, libusb_device* device, libusb_hotplug_event event, void* self) {
            return onHotplug(context, device, int(event), self);
        },
        this, &m_callback);
    if (registered < 0)
        return usbFailure("Cannot watch USB devices", registered);
    m_hotplug = true;
    // Listed after registering, so a device that arrives in between is not missed.
    return look(true);
}

int LibusbPresence::onHotplug(libusb_context*, libusb_device*, int, void* self)
{
    // Counting arrivals and departures could drift from a device seen both by the first look
    // and by its arrival event; the device list, which libusb updates before calling this,
    // cannot. It is read after the callback, outside libusb's event handling.
    static_cast<LibusbPresence*>(self)->m_changed = true;
    return 0; // stay registered
}

std::vector<pollfd> LibusbPresence::descriptors()
{
    std::vector<pollfd> waits;
    if (!m_hotplug)
        return waits;
    const libusb_pollfd** list = libusb_get_pollfds(m_context);
    for (const libusb_pollfd** entry = list; entry && *entry; ++entry)
        waits.push_back({(*entry)->fd, short((*entry)->events), 0});
    libusb_free_pollfds(list);
    return waits;
}

int LibusbPresence::timeoutMs()
{
    if (!m_hotplug)
        return kPollIntervalMs;
    timeval next{};
    if (libusb_get_next_timeout(m_context, &next) != 1)
        return -1;
    return int(next.tv_sec * 1000 + (next.tv_usec + 999) / 1000);
}

Outcome LibusbPresence::update()
{
    if (!m_hotplug)
        return look(false);
    // The events are already waiting; this only hands them to the callback.
    timeval none{};
    const int handled = libusb_handle_events_timeout_completed(m_context, &none, nullptr);
    if (handled < 0 && handled != LIBUSB_ERROR_INTERRUPTED && handled != LIBUSB_ERROR_TIMEOUT)
        return usbFailure("Handling USB events failed", handled);
    if (!m_changed)
        return {};
    m_changed = false;
    return look(true);
}

Outcome LibusbPresence::look(bool always)
{
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(m_context, &list);
    if (count < 0)
        return usbFailure("Cannot list the USB devices", int(count));
    std::vector<libusb_device*> matching;
    std::vector<int> seen;
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[i], &descriptor) == 0 &&
            descriptor.idVendor == m_vendorId && descriptor.idProduct == m_productId) {
            matching.push_back(list[i]);
            seen.push_back(libusb_get_bus_number(list[i]) << 8 |
                           libusb_get_device_address(list[i]));
        }
    }
    if (always || seen != m_seen) {
        m_seen = seen;
        if (matching.empty())
            m_state = DeviceState::Absent;
        else if (matching.size() > 1)
            m_state = DeviceState::Several;
        else
            m_state = openAndClaim(matching.front());
    }
    libusb_free_device_list(list, 1);
    return {};
}

} // namespace velt::dfu
