// SPDX-License-Identifier: Apache-2.0
// `dfu-util --watch VID PID`: tells what state a device with the ids is in, once at start and
// again at every change, so the updater can show it before the user presses Next. The loop
// sleeps in poll(2) on the source's descriptors, standard input and the stop signals. It wakes
// up on its own only while the device is denied or busy, every two seconds, to see whether the
// udev rule was applied or the other program let go; and where the source has no events to offer.
#pragma once

#include "ExitCode.h"

#include <cstdio>
#include <poll.h>
#include <string>
#include <vector>

namespace velt::dfu {

// In the order a flashing run would run into them: no device, more than one, one this user may
// not open, one whose DFU interface another program has claimed, one ready to be written.
enum class DeviceState { Absent, Several, Denied, Busy, Present };

// The word the watch prints: "absent", "several", "denied", "busy" or "present".
const char* deviceStateWord(DeviceState state);

// Where the state comes from: USB (libusb hotplug) or the simulated device. Deciding the state
// opens the device and claims its DFU interface for a moment; it sends no request to it.
class PresenceSource
{
public:
    virtual ~PresenceSource() = default;

    // Sets up the watch and learns the present state.
    virtual Outcome start() = 0;
    virtual DeviceState state() const = 0;
    // The descriptors to wait on for events; may change from one wait to the next.
    virtual std::vector<pollfd> descriptors() = 0;
    // How long to wait when no descriptor wakes the loop: -1 for ever (event-driven sources).
    virtual int timeoutMs() = 0;
    // After a wait ended, by an event or the timeout: takes in what happened.
    virtual Outcome update() = 0;
    // Decides the state again, though nothing was plugged in or out.
    virtual Outcome probe() = 0;
};

// Blocks SIGTERM and SIGINT in this thread and every thread started after it, and returns a
// descriptor that becomes readable when one arrives (-1 if that fails). Call it before a
// library starts threads of its own, or they would take the signal instead.
int blockStopSignals();

// Prints the state's word on `out` at once and at every change, flushed, until `input` reaches
// its end or `stopSignals` reports a signal. Returns the exit code.
int watchPresence(PresenceSource& source, int input, int stopSignals, std::FILE* out,
                  std::FILE* err);

} // namespace velt::dfu
