#include "update/Md5.h"

#include "update/Md5Accumulator.h"

#include <gtest/gtest.h>

using velt::md5;

namespace {

// The test suite of RFC 1321, appendix A.5.
const struct
{
    const char* message;
    const char* digest;
} rfc1321Suite[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"}, // first byte 0x0c: its leading zero stays
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

} // namespace

TEST(Md5, MatchesTheReferenceSuite)
{
    for (const auto& c : rfc1321Suite) {
        EXPECT_EQ(md5(QByteArray(c.message)), QString::fromLatin1(c.digest)) << c.message;
    }
}

TEST(Md5Accumulator, PartsGiveTheDigestOfTheWhole)
{
    for (const auto& c : rfc1321Suite) {
        const QByteArray message(c.message);
        const QString whole = md5(message);
        for (qsizetype cut = 0; cut <= message.size(); cut += 7) {
            velt::Md5Accumulator accumulator;
            accumulator.addData(QByteArrayView(message).first(cut));
            accumulator.addData(QByteArrayView(message).sliced(cut));
            EXPECT_EQ(accumulator.hexDigest(), whole) << c.message << " cut at " << cut;
        }
    }
}
