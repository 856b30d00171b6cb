// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <optional>

namespace velt {

// Turns the bytes of successive reads from one stream into text pieces. A read that ends in
// the middle of a multi-byte character is not broken: the incomplete character is held back
// and goes to the front of the next read. Bytes that are not UTF-8 make the whole read void.
class Utf8PieceDecoder
{
public:
    // The text of one read: the bytes held back from the previous read followed by these,
    // without an incomplete character at the end (held for the next read). Empty when there is
    // nothing whole yet; nullopt when the bytes are not valid UTF-8, in which case they are
    // dropped, held-back bytes included.
    std::optional<QString> decode(const char* data, qsizetype size);

    // The bytes still held back when the stream has ended (a character cut short), as text
    // with U+FFFD in place of what cannot be decoded. Empties the decoder.
    QString finish();

    // Length of a character at the end of the bytes that has begun validly but is not
    // complete; 0 when they end with a whole character or with something no further byte can
    // repair.
    static qsizetype incompleteTailLength(const char* data, qsizetype size);

    // Length of the bytes at the end that a lead byte announces as a longer sequence than
    // follows, valid or not. A lenient decoder that holds these back decodes a stream cut
    // anywhere exactly as the whole stream.
    static qsizetype unfinishedTailLength(const char* data, qsizetype size);

private:
    // Keeps its state between reads only to drop a byte order mark at the start of the stream,
    // not at the start of every read; it is only ever given whole characters.
    QStringDecoder m_decoder{QStringDecoder::Utf8};
    QByteArray m_heldBack;
};

} // namespace velt
