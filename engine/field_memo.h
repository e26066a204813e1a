#pragma once

#include "field_marker.h"
#include "hash_map.h"

#include <QByteArrayView>

#include <memory>
#include <vector>

namespace urdiva {

// The distinct fields of one name list, as a run meets them. A data file names the same people
// over and over, so each field is built, suppressed, normalised and looked up only for its first
// sighting in each shape. Fields are told apart by their key (see RecordLine::key); each key gets
// an ordinal in order of first sighting, and a field in a given shape is referred to by
// `ordinal * 4 + shape`, which indexes flat per-field tables.
class FieldMemo {
public:
    using FieldRef = quint32;
    static constexpr int kShapes = 4;

    struct Field {
        QByteArrayView key;
        bool keyIsText;
        FieldShape shape;
    };

    struct Sighting {
        FieldRef ref;
        bool first; // the first sighting of the key in this shape
    };

    // The hash of a field's key, which see() takes with it (the reading thread computes it).
    static size_t hashOf(QByteArrayView key, bool keyIsText);

    // Records a sighting of a field, numbering its key when the key is new.
    Sighting see(QByteArrayView key, bool keyIsText, size_t hash, FieldShape shape);

    // How many FieldRef values there are room for: kShapes per distinct key.
    size_t refCount() const { return m_keys.size() * kShapes; }

    // A field seen before.
    Field field(FieldRef ref) const;

private:
    struct Key {
        QByteArrayView bytes;
        bool isText;
        size_t hash;
        bool operator==(const Key& other) const
        {
            return isText == other.isText && bytes == other.bytes;
        }
    };
    // The hash travels with the key, computed once by hashOf().
    struct KeyHash {
        using is_avalanching = void;
        size_t operator()(const Key& key) const { return key.hash; }
    };
    struct Entry {
        quint32 ordinal;
        quint32 seenShapes; // a bit per shape
    };

    // A copy of the key's bytes that stays where it is while more are added.
    QByteArrayView keep(QByteArrayView bytes);

    HashMap<Key, Entry, KeyHash> m_map;
    std::vector<Key> m_keys; // by ordinal
    std::vector<std::unique_ptr<char[]>> m_blocks;
    size_t m_blockUsed = 0;
    size_t m_blockSize = 0;
};

} // namespace urdiva
