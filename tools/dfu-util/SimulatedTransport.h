// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "Clock.h"
#include "SimulatedDevice.h"
#include "Transport.h"

namespace velt::dfu {

// The bus between the host and a SimulatedDevice: every control transfer costs `latencyMs` on
// the clock (a simulated timeout too, so tests and demos do not wait out real timeouts), and a
// handle opened before the device re-enumerated answers NO_DEVICE, as usbfs does. On the system
// clock every sleep wakes a little late; the next transfer's delay is shortened by as much, so
// the bus costs `latencyMs` per transfer on average and not more.
class SimulatedTransport : public Transport
{
public:
    SimulatedTransport(SimulatedDevice& device, Clock& clock, uint32_t latencyMs = 0,
                       int deviceCount = 1);

    int findDevices(uint16_t vendorId, uint16_t productId,
                    std::vector<UsbDeviceInfo>& devices) override;
    int open(size_t deviceIndex, uint8_t interfaceNumber, uint8_t alternateSetting) override;
    int control(const ControlSetup& setup, std::span<uint8_t> data, unsigned timeoutMs) override;
    int reset() override;
    void close() override;

private:
    // Spends the bus's latency; then whether the open handle still reaches the device (it has
    // neither left the bus nor re-enumerated since).
    bool reaches();

    SimulatedDevice& m_device;
    Clock& m_clock;
    uint32_t m_latencyMs = 0;
    int m_deviceCount = 1;
    bool m_open = false;
    uint32_t m_generation = 0;
    uint64_t m_overslept = 0; // microseconds the clock's sleeps have run past their deadlines
};

} // namespace velt::dfu
