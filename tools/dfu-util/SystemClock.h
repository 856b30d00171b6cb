// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "Clock.h"

namespace velt::dfu {

// CLOCK_MONOTONIC, sleeping on absolute deadlines so a wait never drifts by the time spent
// computing it.
class SystemClock : public Clock
{
public:
    uint64_t nowUs() const override;
    void sleepUntilUs(uint64_t deadlineUs) override;
};

} // namespace velt::dfu
