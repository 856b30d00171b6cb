#include "update/TextAccumulator.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using velt::TextAccumulator;

TEST(TextAccumulator, BytesCutAnywhereDecodeAsTheWhole)
{
    // Valid characters of every length, a byte order mark inside, and invalid bytes between.
    const QByteArray bytes("a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\xef\xbb\xbf"
                           "b\xff\xe2\x82x\xed\xa0\x80\xc0\x80z\xf0\x9f");
    const QString whole = QString::fromUtf8(bytes);
    for (qsizetype first = 0; first <= bytes.size(); ++first) {
        for (qsizetype second = first; second <= bytes.size(); ++second) {
            TextAccumulator accumulator;
            accumulator.appendUtf8(bytes.constData(), first);
            accumulator.appendUtf8(bytes.constData() + first, second - first);
            accumulator.appendUtf8(bytes.constData() + second, bytes.size() - second);
            ASSERT_EQ(accumulator.take(), whole) << "cut at " << first << " and " << second;
        }
    }
}

TEST(TextAccumulator, LargeTextKeepsEveryPieceInOrder)
{
    TextAccumulator accumulator;
    const qsizetype pieceSize = 1024 * 1024 + 7;
    for (char16_t letter = u'a'; letter <= u'z'; ++letter) {
        if (letter % 2)
            accumulator.append(QString(pieceSize, QChar(letter)));
        else
            accumulator.appendUtf8(QByteArray(pieceSize, char(letter)).constData(), pieceSize);
    }
    const QString text = accumulator.take();
    ASSERT_EQ(text.size(), 26 * pieceSize);
    for (qsizetype i = 0; i < 26; ++i) {
        const QChar letter(char16_t(u'a' + i));
        EXPECT_EQ(text.at(i * pieceSize), letter);
        EXPECT_EQ(text.at((i + 1) * pieceSize - 1), letter);
    }
    EXPECT_EQ(accumulator.take(), u""_s);
}
