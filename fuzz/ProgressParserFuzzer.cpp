// SPDX-License-Identifier: Apache-2.0
// Feeds arbitrary text to the parser of the flashing tool's progress lines. Checks that it
// never crashes or reads out of bounds, that every update it gives is a pair of finite numbers,
// that a piece gives the same updates whole as line by line, and that every number it accepts
// is the number the C library reads from the same text.
#include "update/FlashingProgress.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using velt::parseProgressNumber;
using velt::parseProgressOutput;
using velt::ProgressUpdate;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool isNewline(char16_t u)
{
    return (u >= 0x000A && u <= 0x000D) || u == 0x0085 || u == 0x2028 || u == 0x2029;
}

void checkPiece(const QString& piece)
{
    const QList<ProgressUpdate> whole = parseProgressOutput(piece);

    QList<ProgressUpdate> lineByLine;
    qsizetype lines = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= piece.size(); ++i) {
        if (i < piece.size() && !isNewline(piece.at(i).unicode()))
            continue;
        const QList<ProgressUpdate> one =
            parseProgressOutput(QStringView(piece).sliced(start, i - start));
        require(one.size() <= 1);
        lineByLine += one;
        start = i + 1;
        if (i < piece.size())
            ++lines;
    }
    require(whole == lineByLine);
    require(whole.size() <= lines);
    for (const ProgressUpdate& update : whole)
        require(std::isfinite(update.written) && std::isfinite(update.total));
}

void checkNumber(const QString& text)
{
    const std::optional<double> value = parseProgressNumber(text);
    if (!value)
        return;
    require(std::isfinite(*value));
    // Accepted text is plain ASCII that strtod (in the C locale the fuzzer runs in) reads whole.
    const QByteArray ascii = text.toLatin1();
    require(ascii.size() == text.size() && !ascii.isEmpty());
    char* end = nullptr;
    const double expected = std::strtod(ascii.constData(), &end);
    require(end == ascii.constData() + ascii.size());
    require(expected == *value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    const QString utf8 = QString::fromUtf8(text, static_cast<qsizetype>(size));
    checkPiece(utf8);
    checkNumber(utf8);
    // The same bytes read as UTF-16 also reach code units no valid UTF-8 gives: lone
    // surrogates.
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    const QString utf16 = QString::fromStdU16String(units);
    checkPiece(utf16);
    // The progress fields of a well-formed line, with the input as the written amount.
    checkPiece(QStringLiteral("[i] Downloading firmware - ") + utf8 + QStringLiteral(" of 100"));
    return 0;
}
