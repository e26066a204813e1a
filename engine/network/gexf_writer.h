// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/hash_map.h"
#include "engine/network/xml_text.h"

#include <utility>
#include <vector>

namespace urdiva {

// GEXF 1.2 (the elements are those of 1.3 too): a `label` per node (and a `mode` attribute in
// two-mode, and the vertex attributes, `a1`, `a2`…, titled by their names); numeric weights as
// GEXF weights, others as a `w` attribute. With times, a dynamic graph: a node's start and end are
// its span, an edge's its time; merged links make one edge per pair, with a spell per time and
// its weight at each time as a dynamic attribute `w`, titled "weight".
class GexfWriter final : public XmlNetworkWriter {
public:
    using XmlNetworkWriter::XmlNetworkWriter;

    qsizetype writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                            NetworkMode mode) override;
    void writeEdge(int a, int b, QByteArrayView weight = {}, qint32 time = kNoTime) override;
    void finish() override;

private:
    void appendTime(qint32 time);
    void writePairs();

    // With times and merged links: each pair's times and weights, in the order of first links.
    struct Pair {
        int a;
        int b;
        std::vector<std::pair<qint32, QByteArray>> times;
    };
    HashMap<quint64, size_t> m_pairOf;
    std::vector<Pair> m_pairs;
    qint64 m_edges = 0;
    QByteArray m_values; // a node's attribute values, kept from node to node
};

} // namespace urdiva
