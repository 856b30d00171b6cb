// SPDX-License-Identifier: Apache-2.0
#include "update/TimeLeft.h"

#include <gtest/gtest.h>
#include <vector>

using velt::TimeLeft;
using namespace std::chrono_literals;

// Reports on a virtual clock, every `step`: each row gives the amount done at each report and
// the figure shown after it (-1: nothing shown).
TEST(TimeLeft, FollowsTheMeasuredRate)
{
    const struct
    {
        const char* name;
        double total;
        std::chrono::seconds step;
        std::vector<double> done;
        std::vector<int> shown;
    } cases[] = {
        // 10 a second of 1000: whole minutes, then 5-second steps under a minute.
        // clang-format off
        {"steady", 1000, 5s, {0, 50, 100, 150, 200, 250, 300, 350, 400, 450, 500},
                             {-1, 120, 120, 60, 60, 60, 60, 60, 60, 55, 50}},
        // clang-format on
        // Nothing before two seconds of data; in a stall the estimate climbs, but a higher
        // figure replaces the shown one only once it has held for three seconds.
        {"stall", 100, 1s, {0, 10, 20, 20, 20, 20, 20, 20}, {-1, -1, 10, 10, 10, 10, 35, 35}},
        // A burst lowers the figure at once.
        {"burst", 1000, 1s, {0, 10, 20, 900}, {-1, -1, 120, 5}},
        {"unknown length", -1, 1s, {0, 10, 20, 30}, {-1, -1, -1, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TimeLeft estimate;
        const TimeLeft::Clock::time_point start{};
        std::vector<int> shown;
        for (size_t i = 0; i < c.done.size(); ++i)
            shown.push_back(
                estimate.update(c.done[i], c.total, start + int(i) * c.step).value_or(-1));
        EXPECT_EQ(shown, c.shown);
    }
}
