#include "field_memo.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace urdiva {

size_t FieldMemo::hashOf(QByteArrayView key, bool keyIsText)
{
    return hashBytes(key, keyIsText ? 1 : 0);
}

FieldMemo::Sighting FieldMemo::see(QByteArrayView key, bool keyIsText, size_t hash,
                                   FieldShape shape)
{
    const quint32 shapeBit = 1u << quint32(shape);
    if (const auto it = m_map.find(Key {key, keyIsText, hash}); it != m_map.end()) {
        Entry& entry = it->second;
        const bool first = !(entry.seenShapes & shapeBit);
        entry.seenShapes |= shapeBit;
        return {entry.ordinal * kShapes + quint32(shape), first};
    }
    // A FieldRef holds kShapes refs per key in 32 bits; so many distinct fields would not fit
    // in memory anyway.
    if (m_keys.size() >= (size_t(1) << 30))
        throw std::bad_alloc();
    // The key points into the caller's line: the map keeps a copy of its own.
    const Key kept {keep(key), keyIsText, hash};
    const quint32 ordinal = quint32(m_keys.size());
    m_map.emplace(kept, Entry {ordinal, shapeBit});
    m_keys.push_back(kept);
    return {ordinal * kShapes + quint32(shape), true};
}

FieldMemo::Field FieldMemo::field(FieldRef ref) const
{
    const Key& key = m_keys[ref / kShapes];
    return {key.bytes, key.isText, FieldShape(ref % kShapes)};
}

QByteArrayView FieldMemo::keep(QByteArrayView bytes)
{
    const size_t size = size_t(bytes.size());
    if (m_blockUsed + size > m_blockSize) {
        m_blockSize = std::max<size_t>(size, size_t(1) << 20);
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(m_blockSize));
        m_blockUsed = 0;
    }
    char* copy = m_blocks.back().get() + m_blockUsed;
    if (size > 0)
        std::memcpy(copy, bytes.data(), size);
    m_blockUsed += size;
    return QByteArrayView(copy, qsizetype(size));
}

} // namespace urdiva
