// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "PresenceWatch.h"
#include "SimulatorSettings.h"

namespace velt::dfu {

// Whether the simulated device is plugged in now: not with `absent`, and with `presence-file`
// only while that file exists.
bool simulatedDeviceConnected(const SimulatorSettings& settings);

// The simulated device's presence for `--watch`. With `presence-file` the file's folder is
// watched with inotify, so a test or the demo plugs the device in by creating the file and
// pulls it by removing it; without, the presence never changes.
class SimulatedPresence : public PresenceSource
{
public:
    explicit SimulatedPresence(SimulatorSettings settings);
    ~SimulatedPresence() override;
    SimulatedPresence(const SimulatedPresence&) = delete;
    SimulatedPresence& operator=(const SimulatedPresence&) = delete;

    WatchResult start() override;
    bool present() const override { return m_present; }
    std::vector<pollfd> descriptors() override;
    int timeoutMs() override { return -1; }
    WatchResult update() override;

private:
    SimulatorSettings m_settings;
    int m_inotify = -1;
    bool m_present = false;
};

} // namespace velt::dfu
