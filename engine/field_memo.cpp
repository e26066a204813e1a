#include "field_memo.h"

#include <QHashFunctions>

#include <cstring>

namespace urdiva {
namespace {

// Entry layout in 32-bit words: four vertex numbers, the seen bits (and above them the kind of
// key), the key's length in bytes and its 64-bit hash (kept for growing the table); the key
// follows.
constexpr int kSeenWord = 4;
constexpr int kKindShift = 8;
constexpr int kLengthWord = 5;
constexpr int kHashWord = 6;

} // namespace

bool FieldMemo::Entry::markSeen(FieldShape shape)
{
    const quint32 bit = 1u << quint32(shape);
    const bool fresh = !(m_words[kSeenWord] & bit);
    m_words[kSeenWord] |= bit;
    return fresh;
}

int& FieldMemo::Entry::number(FieldShape shape)
{
    return reinterpret_cast<int&>(m_words[size_t(shape)]);
}

FieldMemo::FieldMemo()
    : m_slots(1024, 0)
{
}

FieldMemo::Entry& FieldMemo::entryAt(quint64 offset)
{
    return *reinterpret_cast<Entry*>(m_arena.data() + offset);
}

bool FieldMemo::holds(quint64 offset, QByteArrayView key, quint32 kind) const
{
    const quint32* record = m_arena.data() + offset;
    return record[kLengthWord] == quint32(key.size()) && (record[kSeenWord] >> kKindShift) == kind &&
           std::memcmp(record + kHeaderWords, key.data(), size_t(key.size())) == 0;
}

size_t FieldMemo::hashOf(QByteArrayView key, bool keyIsText)
{
    return qHashBits(key.data(), size_t(key.size()), 0x9E3779B97F4A7C15ull + (keyIsText ? 1 : 0));
}

void FieldMemo::prefetchSlot(size_t hash) const
{
    __builtin_prefetch(m_slots.data() + (hash & (m_slots.size() - 1)));
}

void FieldMemo::prefetchEntry(size_t hash) const
{
    constexpr quint64 offsetMask = (quint64(1) << kOffsetBits) - 1;
    const quint64 slot = m_slots[hash & (m_slots.size() - 1)];
    if (slot != 0)
        __builtin_prefetch(m_arena.data() + ((slot & offsetMask) - 1));
}

FieldMemo::Entry& FieldMemo::entry(QByteArrayView key, bool keyIsText, size_t hash)
{
    const quint32 kind = keyIsText ? 1 : 0;
    const quint64 tag = quint64(hash) >> kOffsetBits << kOffsetBits;
    constexpr quint64 offsetMask = (quint64(1) << kOffsetBits) - 1;
    size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    for (; m_slots[i] != 0; i = (i + 1) & mask) {
        const quint64 slot = m_slots[i];
        if ((slot & ~offsetMask) == tag && holds((slot & offsetMask) - 1, key, kind))
            return entryAt((slot & offsetMask) - 1);
    }
    if ((m_used + 1) * 2 > m_slots.size()) {
        grow();
        mask = m_slots.size() - 1;
        for (i = hash & mask; m_slots[i] != 0; i = (i + 1) & mask) {
        }
    }
    const quint64 offset = m_arena.size();
    m_arena.resize(offset + kHeaderWords + (size_t(key.size()) + 3) / 4, 0);
    quint32* record = m_arena.data() + offset;
    for (int k = 0; k < 4; ++k)
        record[k] = quint32(kUnknown);
    record[kSeenWord] = kind << kKindShift;
    record[kLengthWord] = quint32(key.size());
    const quint64 fullHash = hash;
    std::memcpy(record + kHashWord, &fullHash, sizeof fullHash);
    std::memcpy(record + kHeaderWords, key.data(), size_t(key.size()));
    m_slots[i] = tag | (offset + 1);
    ++m_used;
    return entryAt(offset);
}

void FieldMemo::grow()
{
    std::vector<quint64> old(m_slots.size() * 2, 0);
    old.swap(m_slots);
    const size_t mask = m_slots.size() - 1;
    constexpr quint64 offsetMask = (quint64(1) << kOffsetBits) - 1;
    for (const quint64 slot : old) {
        if (slot == 0)
            continue;
        const quint64 offset = (slot & offsetMask) - 1;
        quint64 hash;
        std::memcpy(&hash, m_arena.data() + offset + kHashWord, sizeof hash);
        size_t i = size_t(hash) & mask;
        while (m_slots[i] != 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

} // namespace urdiva
