// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/hash_map.h"
#include "engine/names/field_memo.h"
#include "engine/network/vertex_attribute.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace urdiva {

// The values one column gives the vertices as the records are read, and the one each vertex
// keeps: its most frequent non-empty value, the first seen among as frequent ones.
class AttributeTally {
public:
    // A record's value for the vertex of field `ref`, in the order of the records; an empty value
    // is no value.
    void add(FieldMemo::FieldRef ref, QByteArrayView value);

    // The attribute of vertices 1 to vertexCount, each field's vertex given by vertexOfField,
    // indexed by FieldRef (0, or no entry: the field is no vertex). Numbers when every value is one
    // by the weights' rules (with the decimal comma, written with a point). The vertices given more
    // than one value are marked in `conflicting`, indexed by vertex number.
    VertexAttribute resolve(const QString& name, const std::vector<int>& vertexOfField,
                            int vertexCount, bool decimalComma,
                            std::vector<bool>& conflicting) const;

private:
    // Found by a view of the record's bytes: a value seen again costs no copy.
    struct BytesHash {
        using is_transparent = void;
        size_t operator()(QByteArrayView bytes) const { return hashBytes(bytes); }
    };
    struct BytesEqual {
        using is_transparent = void;
        bool operator()(QByteArrayView a, QByteArrayView b) const { return a == b; }
    };
    // A value's number, in the order first seen.
    HashMap<QByteArray, quint32, BytesHash, BytesEqual> m_ids;
    std::vector<QByteArray> m_values;
    std::vector<std::pair<FieldMemo::FieldRef, quint32>> m_seen; // field and value, in order
};

} // namespace urdiva
