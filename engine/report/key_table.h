// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <vector>

namespace urdiva {

// Listings (rows, by position) under 64-bit keys that are hashes, built once and then looked up
// many at a time. The keys are kept sorted in buckets by their top bits, so that a batch of
// lookups fetches its memory together instead of waiting on one cache miss after another, and
// so that the table takes about 12 bytes a key and 4 a listing, with no empty slots to grow.
//
// Built in four passes over the same listings, in the same order each time: countBucket() for
// each, then addKey() for each, then arrange(), then place() for each, which gives the listing's
// position in its key's span (listings of one key get ascending positions in that order), then
// finish().
class KeyTable {
public:
    // `listings`: at least about as many as there will be, to size the buckets.
    explicit KeyTable(size_t listings);

    void countBucket(quint64 key) { ++m_bucketStart[bucketOf(key) + 1]; }
    void addKey(quint64 key);
    void arrange();
    size_t place(quint64 key);
    void finish();

    size_t listings() const { return m_keyStart.empty() ? 0 : m_keyStart.back(); }

    // A lookup and, once found, the positions of its key's listings (empty when absent).
    struct Lookup {
        quint64 key;
        quint32 begin = 0;
        quint32 end = 0;
    };
    void find(std::vector<Lookup>& lookups) const;

private:
    size_t bucketOf(quint64 key) const { return size_t(key >> m_shift); }
    size_t indexOf(quint64 key) const; // the key's place in m_keys, or m_keys.size()

    int m_shift;
    std::vector<quint32> m_bucketStart; // the first key of each bucket, and the end
    std::vector<quint64> m_keys; // ascending
    std::vector<quint32> m_keyStart; // the first listing of each key, and the end
};

} // namespace urdiva
