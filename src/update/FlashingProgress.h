// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QList>
#include <QStringView>
#include <optional>

namespace velt {

// One progress line of the flashing tool: the amount written so far and the total, in the
// tool's unit (whatever it is, the two become a progress bar's value and maximum).
struct ProgressUpdate
{
    double written = 0;
    double total = 0;

    bool operator==(const ProgressUpdate&) const = default;
};

// The progress lines in one piece of the flashing tool's standard output, in order.
//
// The piece is cut into lines at every newline character (U+000A to U+000D, U+0085, U+2028,
// U+2029; "\r\n" leaves an empty line between). A progress line's text before its first "-"
// begins with "[i] Downloading firmware"; its text after its last "-", split at single spaces,
// has at least four fields, the second the amount written and the fourth the total, e.g.
// "[i] Downloading firmware - 50 of 200". Other lines are skipped. Nothing is carried over
// between pieces: a line cut in two by the runner yields two fragments, which rarely match.
QList<ProgressUpdate> parseProgressOutput(QStringView piece);

// A progress field as a number, strictly: an optional sign, then decimal digits with an
// optional "." and an optional exponent ("50", "-1.5", ".5", "5.", "2e3"), or "0x" and
// hexadecimal digits with an optional binary exponent ("0x1p4"). Nothing else may precede or
// follow: no spaces, no units, no digit grouping. The result must be a finite double:
// "inf", "nan" and numbers beyond a double's range are refused, since they cannot drive a
// progress bar.
std::optional<double> parseProgressNumber(QStringView text);

// The status text a progress update shows, and whether the write counts as almost complete.
struct ProgressText
{
    const char* key;     // "Info_Writing" or "Info_Finishing"
    bool almostComplete; // more than 99 per cent written
};

// More than 99 per cent is written / total > 0.99, in floating point: exactly 0.99 is not;
// a total of 0 with something written is (the ratio is infinite); 0 of 0 is not (no ratio).
ProgressText progressTextFor(double written, double total);

} // namespace velt
