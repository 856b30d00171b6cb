// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "Clock.h"

namespace velt::dfu {

// A clock that stands still until someone sleeps; sleeping moves it to the deadline at once.
class VirtualClock : public Clock
{
public:
    uint64_t nowUs() const override { return m_nowUs; }
    void sleepUntilUs(uint64_t deadlineUs) override
    {
        if (deadlineUs > m_nowUs)
            m_nowUs = deadlineUs;
    }

private:
    uint64_t m_nowUs = 0;
};

} // namespace velt::dfu
