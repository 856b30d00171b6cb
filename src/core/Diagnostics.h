#pragma once

#include <QString>

namespace velt {

// Writes one plain diagnostic line to standard output and flushes it. Safe from any thread;
// lines from different threads never interleave. Never shown to the user.
void logLine(const QString& line);

} // namespace velt
