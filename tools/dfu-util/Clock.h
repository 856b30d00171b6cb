// SPDX-License-Identifier: Apache-2.0
// Time as the downloader and the simulated device see it. The tool runs on the system's
// monotonic clock; tests run on a virtual clock that advances only when someone sleeps, so
// waiting out a device costs them no real time.
#pragma once

#include <cstdint>

namespace velt::dfu {

class Clock
{
public:
    virtual ~Clock() = default;

    virtual uint64_t nowUs() const = 0;
    // Returns at once when the deadline has passed.
    virtual void sleepUntilUs(uint64_t deadlineUs) = 0;

    void sleepMs(uint32_t ms) { sleepUntilUs(nowUs() + uint64_t{ms} * 1000); }
};

} // namespace velt::dfu
