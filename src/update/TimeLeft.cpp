// SPDX-License-Identifier: Apache-2.0
#include "update/TimeLeft.h"

#include <QCoreApplication>
#include <cmath>

namespace velt {
namespace {

using Seconds = std::chrono::duration<double>;

// How long the rate is averaged over, and how long the first estimate waits for data.
constexpr double smoothingSeconds = 3.0;
constexpr Seconds warmUp{2.0};
// How long a higher figure must hold before it replaces the one shown.
constexpr Seconds raiseDelay{3.0};

} // namespace

void TimeLeft::reset()
{
    *this = TimeLeft();
}

std::optional<int> TimeLeft::update(double done, double total, Clock::time_point now)
{
    if (!(total > 0) || !std::isfinite(done) || !std::isfinite(total)) {
        reset();
        return std::nullopt;
    }
    if (!m_start) {
        m_start = m_last = now;
        m_lastDone = done;
        return std::nullopt;
    }
    const double interval = Seconds(now - m_last).count();
    if (interval <= 0)
        return m_shown;
    // An exponential average over the last few seconds, whatever the spacing of the reports.
    const double sample = std::max(done - m_lastDone, 0.0) / interval;
    const double weight = 1.0 - std::exp(-interval / smoothingSeconds);
    m_rate = Seconds(m_last - *m_start).count() == 0 ? sample : m_rate + weight * (sample - m_rate);
    m_last = now;
    m_lastDone = done;
    if (now - *m_start < warmUp || m_rate <= 0)
        return m_shown;

    const int estimate = rounded(std::max(total - done, 0.0) / m_rate);
    if (!m_shown || estimate <= *m_shown) {
        m_shown = estimate;
        m_higherSince.reset();
    } else if (!m_higherSince) {
        m_higherSince = now;
    } else if (now - *m_higherSince >= raiseDelay) {
        m_shown = estimate;
        m_higherSince.reset();
    }
    return m_shown;
}

int TimeLeft::rounded(double seconds)
{
    if (seconds <= 55)
        return std::max(5, int(std::ceil(seconds / 5.0)) * 5);
    // Beyond a day the figure means nothing more than "long"; keep it within int.
    return std::max(1, int(std::lround(std::min(seconds, 86'400.0) / 60.0))) * 60;
}

QString TimeLeft::text(std::optional<int> seconds)
{
    if (!seconds)
        return {};
    if (*seconds < 60)
        return qtTrId("Info_TimeLeftSeconds", *seconds);
    return qtTrId("Info_TimeLeftMinutes", *seconds / 60);
}

} // namespace velt
