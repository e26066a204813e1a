// SPDX-License-Identifier: MIT
#include "engine/report/key_table.h"

#include "engine/core/prefetch.h"

#include <algorithm>

namespace urdiva {

KeyTable::KeyTable(size_t listings)
{
    // About four keys a bucket: one cache line of keys to scan.
    int bits = 1;
    while (bits < 40 && (size_t(1) << bits) * 4 < listings)
        ++bits;
    m_shift = 64 - bits;
    m_bucketStart.assign((size_t(1) << bits) + 1, 0);
}

void KeyTable::addKey(quint64 key)
{
    if (m_keys.empty()) { // the first call: the buckets' counts become their starts
        for (size_t b = 1; b < m_bucketStart.size(); ++b)
            m_bucketStart[b] += m_bucketStart[b - 1];
        m_keys.resize(m_bucketStart.back());
        m_keyStart.assign(m_bucketStart.begin(), m_bucketStart.end() - 1); // cursors for now
    }
    m_keys[m_keyStart[bucketOf(key)]++] = key;
}

void KeyTable::arrange()
{
    // Each bucket sorted, its repeated keys kept once and counted, the keys moved down in place.
    std::vector<quint32> sizes;
    size_t kept = 0;
    for (size_t b = 0; b + 1 < m_bucketStart.size(); ++b) {
        const auto first = m_keys.begin() + m_bucketStart[b];
        const auto last = m_keys.begin() + m_bucketStart[b + 1];
        std::sort(first, last);
        m_bucketStart[b] = quint32(kept);
        for (auto at = first; at != last; ++at) {
            if (kept > m_bucketStart[b] && m_keys[kept - 1] == *at) {
                ++sizes.back();
            } else {
                m_keys[kept++] = *at;
                sizes.push_back(1);
            }
        }
    }
    m_bucketStart.back() = quint32(kept);
    m_keys.resize(kept);
    m_keys.shrink_to_fit();
    // Each key's start, used as its cursor by place() until finish() sets it back.
    m_keyStart.assign(kept + 1, 0);
    for (size_t k = 0; k < kept; ++k)
        m_keyStart[k + 1] = m_keyStart[k] + sizes[k];
}

size_t KeyTable::indexOf(quint64 key) const
{
    const size_t b = bucketOf(key);
    for (quint32 k = m_bucketStart[b]; k < m_bucketStart[b + 1]; ++k) {
        if (m_keys[k] == key)
            return k;
    }
    return m_keys.size();
}

size_t KeyTable::place(quint64 key)
{
    return m_keyStart[indexOf(key)]++;
}

void KeyTable::finish()
{
    // Every cursor stands at its span's end, the next key's start.
    for (size_t k = m_keyStart.size() - 1; k > 0; --k)
        m_keyStart[k] = m_keyStart[k - 1];
    m_keyStart[0] = 0;
}

void KeyTable::find(std::vector<Lookup>& lookups) const
{
    // Four rounds, each fetching what the next one reads.
    for (const Lookup& lookup : lookups)
        prefetch(&m_bucketStart[bucketOf(lookup.key)]);
    for (Lookup& lookup : lookups) {
        const size_t b = bucketOf(lookup.key);
        lookup.begin = m_bucketStart[b];
        lookup.end = m_bucketStart[b + 1];
        prefetch(m_keys.data() + lookup.begin);
    }
    constexpr quint32 kAbsent = ~quint32(0);
    for (Lookup& lookup : lookups) {
        const quint32 first = lookup.begin;
        const quint32 last = lookup.end;
        lookup.begin = kAbsent;
        for (quint32 k = first; k < last; ++k) {
            if (m_keys[k] == lookup.key) {
                lookup.begin = k;
                prefetch(&m_keyStart[k]);
                break;
            }
        }
    }
    for (Lookup& lookup : lookups) {
        if (lookup.begin == kAbsent) {
            lookup.begin = lookup.end = 0;
            continue;
        }
        const quint32 k = lookup.begin;
        lookup.begin = m_keyStart[k];
        lookup.end = m_keyStart[k + 1];
    }
}

} // namespace urdiva
