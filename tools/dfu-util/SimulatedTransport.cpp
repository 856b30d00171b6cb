// SPDX-License-Identifier: Apache-2.0
#include "SimulatedTransport.h"

#include "UsbError.h"

namespace velt::dfu {

SimulatedTransport::SimulatedTransport(SimulatedDevice& device, Clock& clock, uint32_t latencyMs,
                                       int deviceCount)
    : m_device(device), m_clock(clock), m_latencyMs(latencyMs), m_deviceCount(deviceCount)
{
}

int SimulatedTransport::findDevices(uint16_t, uint16_t, std::vector<UsbDeviceInfo>& devices)
{
    devices.clear();
    if (m_device.attached()) {
        for (int i = 0; i < m_deviceCount; ++i)
            devices.push_back(m_device.describe());
    }
    return 0;
}

int SimulatedTransport::open(size_t deviceIndex, uint8_t interfaceNumber, uint8_t)
{
    if (deviceIndex >= size_t(m_deviceCount) || interfaceNumber != 0)
        return UsbErrorNotFound;
    const int opened = m_device.open();
    if (opened < 0)
        return opened;
    m_open = true;
    m_generation = m_device.generation();
    return 0;
}

int SimulatedTransport::control(const ControlSetup& setup, std::span<uint8_t> data, unsigned)
{
    if (!m_open)
        return UsbErrorNoDevice;
    return reaches() ? m_device.control(setup, data) : UsbErrorNoDevice;
}

int SimulatedTransport::reset()
{
    if (!m_open)
        return UsbErrorNotFound;
    return reaches() ? m_device.reset() : UsbErrorNoDevice;
}

void SimulatedTransport::close()
{
    m_open = false;
}

bool SimulatedTransport::reaches()
{
    const uint64_t latencyUs = uint64_t(m_latencyMs) * 1000;
    if (m_overslept >= latencyUs) {
        m_overslept -= latencyUs;
    } else {
        const uint64_t deadline = m_clock.nowUs() + latencyUs - m_overslept;
        m_clock.sleepUntilUs(deadline);
        m_overslept = m_clock.nowUs() - deadline;
    }
    return m_device.attached() && m_device.generation() == m_generation;
}

} // namespace velt::dfu
