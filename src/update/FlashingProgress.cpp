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

bool isDigit(char c, bool hexadecimal)
{
    return (c >= '0' && c <= '9') ||
           (hexadecimal && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
}

// Digits, an optional point with more digits, at least one digit in all; then an optional
// exponent marker, sign and at least one decimal digit. Returns the end, or nullptr.
const char* scanNumberBody(const char* p, const char* end, bool hexadecimal)
{
    int digits = 0;
    while (p != end && isDigit(*p, hexadecimal)) {
        ++p;
        ++digits;
    }
    if (p != end && *p == '.') {
        ++p;
        while (p != end && isDigit(*p, hexadecimal)) {
            ++p;
            ++digits;
        }
    }
    if (digits == 0)
        return nullptr;
    const char exponent = hexadecimal ? 'p' : 'e';
    if (p != end && (*p == exponent || *p == exponent - 32)) {
        ++p;
        if (p != end && (*p == '+' || *p == '-'))
            ++p;
        if (p == end || !isDigit(*p, false))
            return nullptr;
        while (p != end && isDigit(*p, false))
            ++p;
    }
    return p;
}

} // namespace

std::optional<double> parseProgressNumber(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return std::nullopt;
    }
    const QByteArray ascii = text.toLatin1();
    const char* p = ascii.constData();
    const char* const end = p + ascii.size();

    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    bool hexadecimal = false;
    if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        hexadecimal = true;
        p += 2;
    }
    if (scanNumberBody(p, end, hexadecimal) != end)
        return std::nullopt;

    // from_chars reads independently of the C locale, which the application sets from the
    // user's environment (a German locale would expect "1,5").
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
