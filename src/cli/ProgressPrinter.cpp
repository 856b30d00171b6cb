// SPDX-License-Identifier: Apache-2.0
#include "cli/ProgressPrinter.h"

#include "cli/Console.h"
#include "core/Localization.h"

#include <algorithm>

namespace velt {

ProgressPrinter::ProgressPrinter(Console& console) : m_console(console)
{
    m_show.setSingleShot(true);
    m_show.setInterval(0);
    QObject::connect(&m_show, &QTimer::timeout, [this] { show(); });
}

void ProgressPrinter::status(const QString& phase)
{
    if (phase != m_phase) {
        // A phase that ended before its turn came is still shown, once.
        if (m_newPhase)
            show();
        m_phase = phase;
        m_clock.start();
        m_newPhase = true;
    }
    m_show.start();
}

void ProgressPrinter::progress(double value, double maximum)
{
    m_value = value;
    m_maximum = maximum;
    m_show.start();
}

void ProgressPrinter::flush()
{
    if (m_show.isActive()) {
        m_show.stop();
        show();
    }
}

void ProgressPrinter::show()
{
    const qint64 now = m_clock.elapsed();
    const qint64 interval = m_console.terminal() ? 100 : 1000;
    const bool complete = m_maximum > 0 && m_value >= m_maximum;
    if (!m_newPhase && now - m_shownAt < interval && !(complete && m_console.terminal()))
        return;
    m_newPhase = false;
    m_shownAt = now;
    if (m_console.terminal())
        m_console.redraw(m_phase, amounts(now));
    else
        m_console.print(m_phase + amounts(now));
}

// "  45%  26598/65536 B  time left 0:01", or nothing while the amount is not known.
QString ProgressPrinter::amounts(qint64 elapsed) const
{
    if (m_maximum <= 0)
        return {};
    const double value = std::clamp(m_value, 0.0, m_maximum);
    QString line = QStringLiteral("  %1%  %2/%3 B")
                       .arg(int(100 * value / m_maximum))
                       .arg(qint64(value))
                       .arg(qint64(m_maximum));
    if (value > 0 && value < m_maximum && elapsed >= 1000) {
        const auto left = qint64(double(elapsed) * (m_maximum - value) / value / 1000);
        line += QStringLiteral("  %1 %2:%3")
                    .arg(localizedString("Caption_TimeLeft"))
                    .arg(left / 60)
                    .arg(left % 60, 2, 10, QLatin1Char('0'));
    }
    return line;
}

} // namespace velt
