#pragma once

#include "field_marker.h"

#include <QByteArrayView>

#include <vector>

namespace urdiva {

// What a run remembers about one field of one name list, per shape the text appeared in:
// whether the vertex pass already offered it, and the vertex number the edge pass found for it.
// A data file names the same people over and over, so each field is built, suppressed,
// normalised and looked up only the first time it is met.
//
// A flat open-addressing table of 8-byte slots points into one arena that holds each text after
// its record, so that a lookup costs about one cache miss.
class FieldMemo {
public:
    static constexpr int kUnknown = -1;

    class Entry {
    public:
        // Marks the text as seen in this shape; false when it already was.
        bool markSeen(FieldShape shape);
        // The vertex number remembered for the shape, kUnknown before one is stored.
        int& number(FieldShape shape);

    private:
        friend class FieldMemo;
        quint32 m_words[8];
    };

    FieldMemo();

    // The hash of a field's key (see RecordLine::key), which the other calls take with it.
    static size_t hashOf(QByteArrayView key, bool keyIsText);

    // The entry of a key, created empty when the key is new. The reference stays valid until
    // the next call.
    Entry& entry(QByteArrayView key, bool keyIsText, size_t hash);

    // Start fetching what entry() will read for a key: call prefetchSlot() for a batch of keys,
    // then prefetchEntry() for the same keys, then entry(). A run's lookups are spread over
    // tables larger than the caches; started together they wait for memory together.
    void prefetchSlot(size_t hash) const;
    void prefetchEntry(size_t hash) const;

private:
    static constexpr size_t kHeaderWords = sizeof(Entry) / sizeof(quint32);
    static constexpr int kOffsetBits = 40;

    Entry& entryAt(quint64 offset);
    bool holds(quint64 offset, QByteArrayView key, quint32 kind) const;
    void grow();

    std::vector<quint64> m_slots; // 0: empty; else hash tag above kOffsetBits, arena offset + 1
    std::vector<quint32> m_arena;
    size_t m_used = 0;
};

} // namespace urdiva
