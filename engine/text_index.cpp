#include "text_index.h"

#include "byte_hash.h"

#include <new>

namespace urdiva {
namespace {
constexpr quint64 kPositionMask = 0xFFFFFFFFull;

// A text's first slot comes from the same upper half of its hash that the slot keeps, so that
// the table grows without hashing any text again.
size_t slotOf(quint64 tag, size_t mask)
{
    return size_t(tag >> 32) & mask;
}
} // namespace

quint64 TextIndex::hashOf(QStringView text)
{
    return hashBytes(text.utf16(), size_t(text.size()) * sizeof(char16_t), 0);
}

qsizetype TextIndex::find(QStringView text, const std::vector<QString>& texts) const
{
    if (m_slots.empty())
        return -1;
    const quint64 hash = hashOf(text);
    const quint64 tag = hash & ~kPositionMask;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = slotOf(tag, mask); m_slots[i] != 0; i = (i + 1) & mask) {
        const quint64 slot = m_slots[i];
        if ((slot & ~kPositionMask) == tag && texts[size_t((slot & kPositionMask) - 1)] == text)
            return qsizetype((slot & kPositionMask) - 1);
    }
    return -1;
}

void TextIndex::prefetch(quint64 hash) const
{
    if (!m_slots.empty())
        __builtin_prefetch(m_slots.data() + slotOf(hash & ~kPositionMask, m_slots.size() - 1));
}

qsizetype TextIndex::insert(qsizetype position, const std::vector<QString>& texts, quint64 hash)
{
    if (quint64(position) + 1 >= kPositionMask)
        throw std::bad_alloc();
    if ((m_used + 1) * 2 > m_slots.size())
        grow();
    const QString& text = texts[size_t(position)];
    const quint64 tag = hash & ~kPositionMask;
    const size_t mask = m_slots.size() - 1;
    size_t i = slotOf(tag, mask);
    for (; m_slots[i] != 0; i = (i + 1) & mask) {
        const quint64 slot = m_slots[i];
        if ((slot & ~kPositionMask) == tag && texts[size_t((slot & kPositionMask) - 1)] == text)
            return qsizetype((slot & kPositionMask) - 1);
    }
    m_slots[i] = tag | (quint64(position) + 1);
    ++m_used;
    return position;
}

void TextIndex::grow()
{
    std::vector<quint64> old(m_slots.empty() ? 64 : m_slots.size() * 2, 0);
    old.swap(m_slots);
    const size_t mask = m_slots.size() - 1;
    for (const quint64 slot : old) {
        if (slot == 0)
            continue;
        size_t i = slotOf(slot & ~kPositionMask, mask);
        while (m_slots[i] != 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

} // namespace urdiva
