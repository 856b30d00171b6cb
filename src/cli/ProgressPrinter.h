// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

namespace velt {

class Console;

// An update's phase, percent, bytes and time left: one line redrawn in place on a terminal (at
// most ten times a second), otherwise plain lines, at most one a second per phase. The session
// reports a write's amount just before its phase, so both are shown a turn of the event loop
// later.
class ProgressPrinter
{
public:
    explicit ProgressPrinter(Console& console);

    void status(const QString& phase);
    void progress(double value, double maximum);
    // Shows what has not been shown yet, at the end of the run.
    void flush();

private:
    void show();
    QString amounts(qint64 elapsed) const;

    Console& m_console;
    QTimer m_show;
    QString m_phase;
    bool m_newPhase = false;
    double m_value = 0;
    double m_maximum = -1;
    QElapsedTimer m_clock;
    qint64 m_shownAt = 0;
};

} // namespace velt
