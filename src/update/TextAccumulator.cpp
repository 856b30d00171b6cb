// SPDX-License-Identifier: Apache-2.0
#include "update/TextAccumulator.h"

#include "update/Utf8PieceDecoder.h"

#include <algorithm>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace velt {

namespace {

// Asks for transparent huge pages on the pages that hold the buffer. Only a hint: where the
// system does not allow it, nothing changes. The range is widened to whole pages rather than
// narrowed to whole huge pages: a large heap block is a mapping of its own, and advice on all
// of it keeps it one mapping, which realloc can then still grow by moving page tables
// instead of copying.
void adviseHugePages(const void* data, qsizetype bytes)
{
#ifdef MADV_HUGEPAGE
    constexpr qsizetype worthIt = 4 * 1024 * 1024;
    if (bytes < worthIt)
        return;
    static const std::uintptr_t pageSize = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const auto address = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = address & ~(pageSize - 1);
    const std::uintptr_t end = (address + std::uintptr_t(bytes) + pageSize - 1) & ~(pageSize - 1);
    ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}

} // namespace

void TextAccumulator::reserveFor(qsizetype more)
{
    const qsizetype needed = m_text.size() + more;
    if (needed <= m_text.capacity())
        return;
    m_text.reserve(std::max(needed, m_text.capacity() * 2));
    adviseHugePages(m_text.constData(), m_text.capacity() * qsizetype(sizeof(QChar)));
}

void TextAccumulator::append(QStringView piece)
{
    reserveFor(piece.size());
    m_text.append(piece);
}

void TextAccumulator::appendUtf8(const char* data, qsizetype size)
{
    QByteArray joined;
    if (!m_heldBack.isEmpty()) {
        joined = m_heldBack + QByteArray::fromRawData(data, size);
        data = joined.constData();
        size = joined.size();
    }
    const qsizetype whole = size - Utf8PieceDecoder::unfinishedTailLength(data, size);
    m_heldBack = QByteArray(data + whole, size - whole);

    const qsizetype oldSize = m_text.size();
    const qsizetype room = m_decoder.requiredSpace(whole);
    reserveFor(room);
    m_text.resize(oldSize + room);
    const QChar* end =
        m_decoder.appendToBuffer(m_text.data() + oldSize, QByteArrayView(data, whole));
    m_text.truncate(end - m_text.constData());
}

QString TextAccumulator::take()
{
    if (!m_heldBack.isEmpty()) {
        append(QString::fromUtf8(m_heldBack));
        m_heldBack.clear();
    }
    m_decoder.resetState();
    return std::exchange(m_text, QString());
}

} // namespace velt
