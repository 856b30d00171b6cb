// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <chrono>
#include <optional>

namespace velt {

// The time a transfer still needs, estimated from its measured rate, for a "time left" label
// that neither jumps about nor lies. The rate is smoothed over a few seconds; nothing is
// estimated before two seconds of data have been seen, nor for an unknown length. Shown figures
// come in 5-second steps under a minute and whole minutes above; a lower figure replaces the
// shown one at once, a higher one only once it has held for three seconds, so a short stall or
// burst does not make the label flicker.
class TimeLeft
{
public:
    using Clock = std::chrono::steady_clock;

    // Starts afresh (a new phase, or a new run of the tool).
    void reset();

    // The amount done of total at a moment. Called on every progress report and, so that a
    // stall shows, at least once a second. Returns the seconds to show, rounded; none while
    // there is nothing honest to show.
    std::optional<int> update(double done, double total, Clock::time_point now);

    // "About 20 seconds left", "About 2 minutes left", localized; empty for none.
    static QString text(std::optional<int> seconds);

private:
    static int rounded(double seconds);

    std::optional<Clock::time_point> m_start;
    Clock::time_point m_last;
    double m_lastDone = 0;
    double m_rate = 0; // smoothed, amount per second
    std::optional<int> m_shown;
    std::optional<Clock::time_point> m_higherSince;
};

} // namespace velt
