// SPDX-License-Identifier: MIT
#pragma once

#include "engine/io/time_text.h"
#include "engine/network/record_log.h"

#include <QByteArrayView>

#include <functional>
#include <vector>

namespace urdiva {

struct LinkRules {
    bool cooccur = false; // every two names of a record's first end are linked
    bool directed = false; // a link from a to b is not one from b to a
};

// Calls onLink(a, b, weight, time) with the vertex numbers of every link of the chunk's records
// [begin, end), in order, and the record's weight and time (kNoTime when the records have none),
// and returns how many records gave none. A record whose ends list names links every name of its
// first end to every name of its second end, or with cooccur every two names of its first end, in
// the order they are listed; each link once per record, and with cooccur never a vertex to itself.
// An end without a vertex (number 0: a blank field) links nothing.
qint64
forEachLink(const RecordLog::Chunk& chunk, size_t begin, size_t end, const LinkRules& rules,
            bool weighted, const std::vector<int>& firstNumbers,
            const std::vector<int>& secondNumbers,
            const std::function<void(int a, int b, QByteArrayView weight, qint32 time)>& onLink);

// The key of a link: the pair of its vertex numbers, in either order unless directed.
inline quint64 linkKey(int a, int b, bool directed)
{
    if (!directed && a > b)
        std::swap(a, b);
    return quint64(quint32(a)) << 32 | quint32(b);
}

} // namespace urdiva
