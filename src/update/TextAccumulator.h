// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

namespace velt {

// The growing text a run's output is gathered in. A large text grows in big steps on memory
// that the kernel may back with huge pages: with hundreds of megabytes of output, faulting in
// 4 KiB pages one at a time costs more than reading the pipe (on virtual machines, several
// times more).
class TextAccumulator
{
public:
    void append(QStringView piece);

    // Decodes the bytes as UTF-8 straight into the text, with U+FFFD for what is not valid. A
    // character cut at the end of the bytes is completed by the next call.
    void appendUtf8(const char* data, qsizetype size);

    // The text, including a character left cut short at the very end (as U+FFFD). Leaves the
    // accumulator empty.
    QString take();

private:
    // Makes room for `more` characters after the text.
    void reserveFor(qsizetype more);

    QString m_text;
    // Keeps state only to drop a byte order mark at the start; it never sees a sequence cut
    // at the end of its input.
    QStringDecoder m_decoder{QStringDecoder::Utf8};
    QByteArray m_heldBack;
};

} // namespace velt
