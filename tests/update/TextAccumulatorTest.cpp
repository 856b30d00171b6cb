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
