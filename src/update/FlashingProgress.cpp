// SPDX-License-Identifier: Apache-2.0
#include "update/FlashingProgress.h"

#include <QByteArray>
#include <charconv>
#include <cmath>

namespace velt {

namespace {

bool isNewline(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x000A && u <= 0x000D) || u == 0x0085 || u == 0x2028 || u == 0x2029;
}

} // namespace

std::optional<double> parseProgressNumber(QStringView text)
{
    // Text beyond Latin-1 becomes "?", which no number holds.
    const QByteArray latin1 = text.toLatin1();
    const char* p = latin1.constData();
    const char* const end = p + latin1.size();
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '+' || *p == '-'))
        ++p;
    const bool hexadecimal = end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
    if (hexadecimal)
        p += 2;
    // from_chars takes the rest of strtod's pattern, but also a sign of its own; and it reads
    // independently of the C locale, which the application sets from the user's environment (a
    // German locale would expect "1,5").
    if (p != end && (*p == '+' || *p == '-'))
        return std::nullopt;
    double value = 0;
    const auto [stop, error] = std::from_chars(
        p, end, value, hexadecimal ? std::chars_format::hex : std::chars_format::general);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

QList<ProgressUpdate> parseProgressOutput(QStringView piece)
{
    static constexpr QStringView marker = u"[i] Downloading firmware";
    QList<ProgressUpdate> updates;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i <= piece.size(); ++i) {
        if (i < piece.size() && !isNewline(piece.at(i)))
            continue;
        const QStringView line = piece.sliced(lineStart, i - lineStart);
        lineStart = i + 1;

        const qsizetype firstDash = line.indexOf(u'-');
        const QStringView beforeFirstDash = firstDash < 0 ? line : line.first(firstDash);
        if (!beforeFirstDash.startsWith(marker))
            continue;
        const QStringView afterLastDash = line.sliced(line.lastIndexOf(u'-') + 1);
        const QList<QStringView> fields = afterLastDash.split(u' ', Qt::KeepEmptyParts);
        if (fields.size() < 4)
            continue;
        const std::optional<double> written = parseProgressNumber(fields.at(1));
        const std::optional<double> total = parseProgressNumber(fields.at(3));
        if (!written || !total)
            continue;
        updates.append({*written, *total});
    }
    return updates;
}

ProgressText progressTextFor(double written, double total)
{
    // IEEE division gives exactly the stated cases: x/0 is +inf for x > 0 and NaN for 0/0,
    // and NaN compares false.
    const bool almostComplete = written / total > 0.99;
    return {almostComplete ? "Info_Finishing" : "Info_Writing", almostComplete};
}

} // namespace velt
