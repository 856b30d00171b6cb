// SPDX-License-Identifier: Apache-2.0
#include "SystemClock.h"

#include <cerrno>
#include <ctime>

namespace velt::dfu {

uint64_t SystemClock::nowUs() const
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return uint64_t(now.tv_sec) * 1000000 + uint64_t(now.tv_nsec) / 1000;
}

void SystemClock::sleepUntilUs(uint64_t deadlineUs)
{
    if (deadlineUs <= nowUs())
        return;
    timespec deadline{};
    deadline.tv_sec = time_t(deadlineUs / 1000000);
    deadline.tv_nsec = long(deadlineUs % 1000000) * 1000;
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

} // namespace velt::dfu
