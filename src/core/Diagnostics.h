// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace velt {

// Writes one plain diagnostic line to standard output and flushes it, through Qt's message
// handling (category "velt"). Safe from any thread; lines from different threads never
// interleave. Never shown to the user. Once a log is open the line, and every message of Qt's
// own, is also kept in the file and among the run's lines, with a time stamp.
void logLine(const QString& line);

// A line for the log file and the run's lines only (what the run is about: the server, the
// chosen model and version); standard output does not see it.
void logContext(const QString& line);

// Starts keeping the diagnostics in <folder>/velt-firmware-updater.log (and two older files,
// .1 and .2, each rotated away at about maxBytes) with a header for this run: the application
// version and Qt's. Each line is appended as it is logged. When the folder cannot be written,
// one line goes to standard error and the lines go to standard output only. Calling it again
// closes the previous file first.
void openDiagnosticsLog(const QString& folder, const QString& applicationVersion,
                        qint64 maxBytes = 1024 * 1024);
// Closes the file; later lines go to standard output only.
void closeDiagnosticsLog();

// $XDG_STATE_HOME/velt-firmware-updater, or ~/.local/state/velt-firmware-updater.
QString defaultDiagnosticsFolder();
// The folder of the open log file; empty when none is open.
QString diagnosticsFolder();
// This run's time-stamped lines, header first, one per line (for a support request).
QString runDiagnostics();

} // namespace velt
