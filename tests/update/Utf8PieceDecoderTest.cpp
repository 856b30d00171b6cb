#include "update/Utf8PieceDecoder.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using velt::Utf8PieceDecoder;

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

std::optional<QString> feed(Utf8PieceDecoder& decoder, const QByteArray& bytes)
{
    return decoder.decode(bytes.constData(), bytes.size());
}

} // namespace

TEST(Utf8PieceDecoder, CharacterCutAnywhereArrivesWithTheNextRead)
{
    for (const QByteArray& whole :
         {QByteArray("\xc3\xa9"), QByteArray("\xe2\x82\xac"), QByteArray("\xf0\x9f\x98\x80")}) {
        const QString expected = QString::fromUtf8(whole);
        for (qsizetype cut = 1; cut < whole.size(); ++cut) {
            Utf8PieceDecoder decoder;
            EXPECT_EQ(feed(decoder, "a" + whole.first(cut)), u"a"_s);
            EXPECT_EQ(feed(decoder, whole.sliced(cut) + "b"), expected + u"b"_s);
            EXPECT_EQ(decoder.finish(), u""_s);
        }
    }
}

TEST(Utf8PieceDecoder, InvalidReadsAreVoidAndDoNotPoisonTheNext)
{
    const QByteArray invalid[] = {
        "\xff",             // never valid
        "ok\x80",           // stray continuation byte
        "\xc0\x80",         // overlong NUL
        "a\xe0\x80",        // overlong start: can never complete, so not held back
        "\xed\xa0\x80",     // surrogate
        "\xf4\x90\x80\x80", // beyond U+10FFFF
        "\xe2\x82x",        // cut short by an ASCII byte
    };
    for (const QByteArray& bytes : invalid) {
        Utf8PieceDecoder decoder;
        EXPECT_EQ(feed(decoder, bytes), std::nullopt) << bytes.toHex().constData();
        EXPECT_EQ(feed(decoder, "next"), u"next"_s) << bytes.toHex().constData();
    }
}

TEST(Utf8PieceDecoder, HeldBackBytesThatDoNotContinueVoidTheRead)
{
    Utf8PieceDecoder decoder;
    EXPECT_EQ(feed(decoder, "a\xe2"), u"a"_s);
    EXPECT_EQ(feed(decoder, "xyz"), std::nullopt);
    EXPECT_EQ(feed(decoder, "z"), u"z"_s);
}

TEST(Utf8PieceDecoder, CharacterCutShortAtTheEndIsReplaced)
{
    Utf8PieceDecoder decoder;
    EXPECT_EQ(feed(decoder, "ab\xe2\x82"), u"ab"_s);
    const QString rest = decoder.finish();
    EXPECT_FALSE(rest.isEmpty());
    EXPECT_TRUE(rest.contains(QChar::ReplacementCharacter));
    EXPECT_EQ(decoder.finish(), u""_s);
}
