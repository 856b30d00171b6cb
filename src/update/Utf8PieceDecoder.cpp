// SPDX-License-Identifier: Apache-2.0
#include "update/Utf8PieceDecoder.h"

#include <QByteArrayView>

namespace velt {

qsizetype Utf8PieceDecoder::incompleteTailLength(const char* data, qsizetype size)
{
    for (qsizetype k = 1; k <= 3 && k <= size; ++k) {
        const auto lead = static_cast<unsigned char>(data[size - k]);
        if ((lead & 0xC0) == 0x80)
            continue; // continuation byte: keep looking for the lead byte
        const qsizetype length = (lead >= 0xC2 && lead <= 0xDF)   ? 2
                                 : (lead >= 0xE0 && lead <= 0xEF) ? 3
                                 : (lead >= 0xF0 && lead <= 0xF4) ? 4
                                                                  : 0;
        if (length == 0 || k >= length)
            return 0;
        if (k >= 2) {
            // The second byte's range rules out overlong forms, surrogates and values beyond
            // U+10FFFF; a tail that breaks it is invalid now and stays invalid.
            const auto second = static_cast<unsigned char>(data[size - k + 1]);
            unsigned char low = 0x80;
            unsigned char high = 0xBF;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
            else if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
            if (second < low || second > high)
                return 0;
        }
        return k;
    }
    return 0;
}

qsizetype Utf8PieceDecoder::unfinishedTailLength(const char* data, qsizetype size)
{
    for (qsizetype k = 1; k <= 3 && k <= size; ++k) {
        const auto lead = static_cast<unsigned char>(data[size - k]);
        if ((lead & 0xC0) == 0x80)
            continue;
        const qsizetype length = (lead & 0xE0) == 0xC0   ? 2
                                 : (lead & 0xF0) == 0xE0 ? 3
                                 : (lead & 0xF8) == 0xF0 ? 4
                                                         : 0;
        return k < length ? k : 0;
    }
    return 0;
}

std::optional<QString> Utf8PieceDecoder::decode(const char* data, qsizetype size)
{
    QByteArray joined;
    if (!m_heldBack.isEmpty()) {
        joined = m_heldBack;
        joined.append(data, size);
        m_heldBack.clear();
        data = joined.constData();
        size = joined.size();
    }
    const qsizetype tail = incompleteTailLength(data, size);
    const qsizetype whole = size - tail;
    if (!QByteArrayView(data, whole).isValidUtf8())
        return std::nullopt;
    m_heldBack = QByteArray(data + whole, tail);
    return m_decoder(QByteArrayView(data, whole));
}

QString Utf8PieceDecoder::finish()
{
    const QString rest = QString::fromUtf8(m_heldBack);
    m_heldBack.clear();
    return rest;
}

} // namespace velt
