// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <chrono>

namespace velt {

// Writes one plain diagnostic line to standard output and flushes it. Safe from any thread;
// lines from different threads never interleave. Never shown to the user. Once the log file
// is open the line is also kept there and among the run's lines, with a time stamp.
void logLine(const QString& line);

// A line for the log file and the run's lines only (what the run is about: the server, the
// chosen model and version); standard output does not see it.
void logContext(const QString& line);

// Starts keeping the diagnostics in <folder>/velt-firmware-updater.log (and two older files,
// .1 and .2, each rotated away at about maxBytes) with a header for this run: the application
// version and Qt's. The file is written on a thread of its own, so a slow disk never holds up
// the caller. When the folder cannot be written, one line goes to standard error and the
// lines go to standard output only. Calling it again closes the previous file first.
void openDiagnosticsLog(const QString& folder, const QString& applicationVersion,
                        qint64 maxBytes = 1024 * 1024);
// Writes what is queued and closes the file; later lines go to standard output only.
void closeDiagnosticsLog();
// Waits until every line logged so far is in the file, at most for the timeout. False when the
// time ran out.
bool flushDiagnosticsLog(std::chrono::milliseconds timeout = std::chrono::seconds(5));

// $XDG_STATE_HOME/velt-firmware-updater, or ~/.local/state/velt-firmware-updater.
QString defaultDiagnosticsFolder();
// The folder of the open log file; empty when none is open.
QString diagnosticsFolder();
// This run's time-stamped lines, header first, one per line (for a support request).
QString runDiagnostics();

} // namespace velt
