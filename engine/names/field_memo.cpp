// SPDX-License-Identifier: MIT
#include "engine/names/field_memo.h"

#include "engine/core/hash_map.h"
#include "engine/core/prefetch.h"

#include <cstring>
#include <new>

namespace urdiva {
FieldMemo::FieldMemo()
    : m_slots(1024, 0)
{
}

bool FieldMemo::holds(quint64 offset, QByteArrayView key, quint32 kind) const
{
    const quint32* record = m_arena.data() + offset;
    return record[kLengthWord] == quint32(key.size()) &&
           (record[kSeenWord] >> kKindShift) == kind &&
           std::memcmp(record + kHeaderWords, key.data(), size_t(key.size())) == 0;
}

void FieldMemo::prefetchSlot(size_t hash) const
{
    prefetch(m_slots.data() + (hash & (m_slots.size() - 1)));
}

void FieldMemo::prefetchEntry(size_t hash) const
{
    const quint64 slot = m_slots[hash & (m_slots.size() - 1)];
    if (slot != 0) {
        // An entry and its key often straddle two cache lines.
        const quint32* entry = m_arena.data() + ((slot & kOffsetMask) - 1);
        prefetch(entry);
        prefetch(entry + 16);
    }
}

void FieldMemo::prefetchOffset(FieldRef ref) const
{
    prefetch(m_offsets.data() + ref / kShapes);
}

void FieldMemo::prefetchKey(FieldRef ref) const
{
    const quint32* entry = m_arena.data() + m_offsets[ref / kShapes];
    prefetch(entry);
    prefetch(entry + 16);
}

FieldMemo::Sighting FieldMemo::see(QByteArrayView key, bool keyIsText, size_t hash,
                                   FieldShape shape)
{
    const quint32 kind = keyIsText ? 1 : 0;
    const quint32 shapeBit = 1u << quint32(shape);
    const quint64 tag = quint64(hash) >> kOffsetBits << kOffsetBits;
    size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    for (; m_slots[i] != 0; i = (i + 1) & mask) {
        const quint64 slot = m_slots[i];
        if ((slot & ~kOffsetMask) == tag && holds((slot & kOffsetMask) - 1, key, kind)) {
            quint32* record = m_arena.data() + ((slot & kOffsetMask) - 1);
            const bool first = !(record[kSeenWord] & shapeBit);
            record[kSeenWord] |= shapeBit;
            return {record[kOrdinalWord] * kShapes + quint32(shape), first};
        }
    }
    // A FieldRef holds kShapes refs per key in 32 bits; so many distinct fields would not fit
    // in memory anyway.
    if (m_keys >= (quint64(1) << 30))
        throw std::bad_alloc();
    if ((m_keys + 1) * 2 > m_slots.size()) {
        grow();
        mask = m_slots.size() - 1;
        for (i = hash & mask; m_slots[i] != 0; i = (i + 1) & mask) { }
    }
    const quint64 offset = m_arena.size();
    m_arena.resize(offset + kHeaderWords + (size_t(key.size()) + 3) / 4, 0);
    quint32* record = m_arena.data() + offset;
    record[kSeenWord] = kind << kKindShift | shapeBit;
    record[kOrdinalWord] = quint32(m_keys);
    record[kLengthWord] = quint32(key.size());
    const quint64 fullHash = hash;
    std::memcpy(record + kHashWord, &fullHash, sizeof fullHash);
    std::memcpy(record + kHeaderWords, key.data(), size_t(key.size()));
    m_slots[i] = tag | (offset + 1);
    m_offsets.push_back(offset);
    return {quint32(m_keys++) * kShapes + quint32(shape), true};
}

FieldMemo::Field FieldMemo::field(FieldRef ref) const
{
    const quint32* record = m_arena.data() + m_offsets[ref / kShapes];
    return {QByteArrayView(reinterpret_cast<const char*>(record + kHeaderWords),
                           qsizetype(record[kLengthWord])),
            (record[kSeenWord] >> kKindShift) != 0, FieldShape(ref % kShapes)};
}

void FieldMemo::grow()
{
    std::vector<quint64> old(m_slots.size() * 2, 0);
    old.swap(m_slots);
    const size_t mask = m_slots.size() - 1;
    for (const quint64 slot : old) {
        if (slot == 0)
            continue;
        const quint64 offset = (slot & kOffsetMask) - 1;
        quint64 hash;
        std::memcpy(&hash, m_arena.data() + offset + kHashWord, sizeof hash);
        size_t i = size_t(hash) & mask;
        while (m_slots[i] != 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

} // namespace urdiva
