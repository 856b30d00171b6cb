// SPDX-License-Identifier: Apache-2.0
#include "update/FlashingProgress.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using velt::ProgressUpdate;

TEST(FlashingProgress, ParsesProgressLinesOfAPiece)
{
    const struct
    {
        QString piece;
        QList<ProgressUpdate> expected;
    } cases[] = {
        {u"[i] Downloading firmware - 50 of 200"_s, {{50, 200}}},
        // Several lines in one piece: the tool overwrites its line with carriage returns.
        {u"[i] Downloading firmware - 1 of 4\r[i] Downloading firmware - 1 of 4\u2028[i] "
         u"Downloading firmware - 2 of 4\u0085"
         u"[i] Downloading firmware - 3 of 4\u2029[i] Downloading firmware - 4 of 4\v"
         u"[i] Downloading firmware - 5 of 9\f"_s,
         {{1, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 9}}},
        {u"[i] Opening image\n[i] Downloading firmware - 8 of 16 bytes\n[i] Done"_s, {{8, 16}}},
        // Only the text after the last dash holds the numbers.
        {u"[i] Downloading firmware - block-2 - 10 of 20"_s, {{10, 20}}},
        {u"[i] Downloading firmware to 0a12:ffff - 1.5 of 3e2"_s, {{1.5, 300}}},
        // Not progress lines.
        {u"[i] Downloading firmware - 50 of"_s, {}},        // three fields
        {u"[i] Downloading firmware - fifty of 200"_s, {}}, // written not a number
        {u"[i] Downloading firmware -  50 of 200"_s, {}},   // two spaces: field 2 empty
        {u"[i] Downloading firmware -50 of 200 x"_s, {}},   // no space: fields shift
        {u"  [i] Downloading firmware - 50 of 200"_s, {}},  // must begin the line
        {u"[i] Downloading firmware - 50 of 200"_s.replace(u'0', u'０'), {}}, // wide digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(velt::parseProgressOutput(c.piece), c.expected) << c.piece.toStdString();
}

// Accepted numbers are compared with the C library's by the fuzzer; these must be refused.
TEST(FlashingProgress, NumbersParseStrictly)
{
    for (const char* text : {"", " 5", "5 ", "5kB", "1,5", "1_000", "inf", "-infinity", "nan",
                             "1e999", "e5", ".", "-", "0x", "0x1p", "1e+", "1.2.3", "--1", "1p4"})
        EXPECT_EQ(velt::parseProgressNumber(QString::fromLatin1(text)), std::nullopt) << text;
    EXPECT_EQ(velt::parseProgressNumber(u"١٢"_s), std::nullopt); // Arabic-Indic digits
    EXPECT_EQ(velt::parseProgressNumber(u"0x1p4"_s), 16);
}
