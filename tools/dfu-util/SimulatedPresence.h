// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "PresenceWatch.h"
#include "SimulatorSettings.h"

namespace velt::dfu {

// Whether the simulated device is plugged in now: not with `absent`, and with `presence-file`
// only while that file exists.
bool simulatedDeviceConnected(const SimulatorSettings& settings);

// The simulated device's state for `--watch`: `duplicate`, `access` and `busy` make a connected
// device several, denied and busy. With `presence-file` the file's folder is watched with
// inotify, so a test or the demo plugs the device in by creating the file and pulls it by
// removing it; without, the state never changes.
class SimulatedPresence : public PresenceSource
{
public:
    explicit SimulatedPresence(SimulatorSettings settings);
    ~SimulatedPresence() override;
    SimulatedPresence(const SimulatedPresence&) = delete;
    SimulatedPresence& operator=(const SimulatedPresence&) = delete;

    Outcome start() override;
    DeviceState state() const override { return m_state; }
    std::vector<pollfd> descriptors() override;
    int timeoutMs() override { return -1; }
    Outcome update() override;
    Outcome probe() override;

private:
    SimulatorSettings m_settings;
    int m_inotify = -1;
    DeviceState m_state = DeviceState::Absent;
};

} // namespace velt::dfu
