#include "update/FlashingProgress.h"

#include <cstring>
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
        {u"[i] Downloading firmware - 199 of 200"_s, {{199, 200}}},
        // Three lines in one piece, as the tool overwrites its line with carriage returns.
        {u"[i] Downloading firmware - 1 of 4\r[i] Downloading firmware - 2 of 4\r"
         u"[i] Downloading firmware - 3 of 4"_s,
         {{1, 4}, {2, 4}, {3, 4}}},
        {u"[i] Downloading firmware - 1 of 4\r\n[i] Downloading firmware - 2 of 4\n"_s,
         {{1, 4}, {2, 4}}},
        {u"[i] Downloading firmware - 1 of 4\u2028[i] Downloading firmware - 2 of 4\u0085"
         u"[i] Downloading firmware - 3 of 4\u2029[i] Downloading firmware - 4 of 4\v"
         u"[i] Downloading firmware - 5 of 9\f"_s,
         {{1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 9}}},
        {u"[i] Opening image\n[i] Downloading firmware - 8 of 16 bytes\n[i] Done"_s, {{8, 16}}},
        // Only the text after the last dash holds the numbers.
        {u"[i] Downloading firmware - block-2 - 10 of 20"_s, {{10, 20}}},
        {u"[i] Downloading firmware to 0a12:ffff - 1.5 of 3e2"_s, {{1.5, 300}}},
        {u"[i] Downloading firmware - 0x10 of 0x20"_s, {{16, 32}}},
        // Not progress lines.
        {u""_s, {}},
        {u"\r\n\r\n"_s, {}},
        {u"[i] Downloading firmware - 50 of"_s, {}},        // three fields
        {u"[i] Downloading firmware - fifty of 200"_s, {}}, // written not a number
        {u"[i] Downloading firmware - 50 of 200kB"_s, {}},  // total with a unit
        {u"[i] Downloading firmware -  50 of 200"_s, {}},   // two spaces: field 2 empty
        {u"[i] Downloading firmware -50 of 200 x"_s, {}},   // no space: fields shift
        {u"[i] downloading firmware - 50 of 200"_s, {}},    // case matters
        {u"  [i] Downloading firmware - 50 of 200"_s, {}},  // must begin the line
        {u"[i] Downloading fir"_s, {}},                     // a fragment of a line
        {u"mware - 50 of 200"_s, {}},                       // ... and its other half
        {u"[i] Downloading firmware - 50 of 200"_s.replace(u'0', u'０'), {}}, // wide digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(velt::parseProgressOutput(c.piece), c.expected) << c.piece.toStdString();
}

TEST(FlashingProgress, NumbersParseStrictly)
{
    const struct
    {
        const char* text;
        std::optional<double> expected;
    } cases[] = {
        {"50", 50},    {"+5", 5},       {"-1.5", -1.5},    {".5", 0.5},    {"5.", 5},
        {"2e3", 2000}, {"2E-3", 0.002}, {"0x1p4", 16},     {"0X1.8", 1.5}, {"007", 7},
        {"", {}},      {" 5", {}},      {"5 ", {}},        {"5kB", {}},    {"1,5", {}},
        {"1_000", {}}, {"inf", {}},     {"-infinity", {}}, {"nan", {}},    {"1e999", {}},
        {"e5", {}},    {".", {}},       {"-", {}},         {"0x", {}},     {"0x1p", {}},
        {"1e", {}},    {"1e+", {}},     {"1.2.3", {}},     {"--1", {}},    {"0xg", {}},
        {"1p4", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(velt::parseProgressNumber(QString::fromLatin1(c.text)), c.expected) << c.text;
    }
    EXPECT_EQ(velt::parseProgressNumber(u"١٢"_s), std::nullopt); // Arabic-Indic digits
}

TEST(FlashingProgress, TextTurnsToFinishingAboveNinetyNinePerCent)
{
    const struct
    {
        double written;
        double total;
        const char* key;
        bool almostComplete;
    } cases[] = {
        {50, 200, "Info_Writing", false},   {199, 200, "Info_Finishing", true},
        {99, 100, "Info_Writing", false},   {99.01, 100, "Info_Finishing", true},
        {100, 100, "Info_Finishing", true}, {0, 100, "Info_Writing", false},
        {1, 0, "Info_Finishing", true},     {0, 0, "Info_Writing", false},
    };
    for (const auto& c : cases) {
        const velt::ProgressText text = velt::progressTextFor(c.written, c.total);
        EXPECT_STREQ(text.key, c.key) << c.written << " of " << c.total;
        EXPECT_EQ(text.almostComplete, c.almostComplete) << c.written << " of " << c.total;
    }
}
