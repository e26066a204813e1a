// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/hash_map.h"
#include "engine/names/field_memo.h"
#include "engine/network/vertex_attribute.h"

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <vector>

namespace urdiva {

// The values one column gives the vertices as the records are read, and the one each vertex
// keeps: its most frequent non-empty value, the first seen among as frequent ones.
class AttributeTally {
public:
    // A record's value for the vertex of field `ref`, in the order of the records; an empty value
    // is no value.
    void add(FieldMemo::FieldRef ref, QByteArrayView value);

    // The attribute of vertices 1 to vertexCount, each field's vertex given by vertexOf (0: the
    // field is no vertex). Numbers when every value is one by the weights' rules (with the
    // decimal comma, written with a point). The vertices given more than one value are marked
    // in `conflicting`, indexed by vertex number.
    VertexAttribute resolve(const QString& name,
                            const std::function<int(FieldMemo::FieldRef)>& vertexOf,
                            int vertexCount, bool decimalComma,
                            std::vector<bool>& conflicting) const;

private:
    struct BytesHash {
        size_t operator()(const QByteArray& bytes) const { return hashBytes(bytes); }
    };
    HashMap<QByteArray, quint32, BytesHash> m_ids; // a value's number, in the order first seen
    std::vector<QByteArray> m_values;
    std::vector<std::pair<FieldMemo::FieldRef, quint32>> m_seen; // field and value, in order
};

} // namespace urdiva
