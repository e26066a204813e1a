// SPDX-License-Identifier: MIT
#pragma once

#include "engine/network/xml_text.h"

namespace urdiva {

// GEXF 1.2 (the elements are those of 1.3 too): a `label` per node (and a `mode` attribute in
// two-mode, and the vertex attributes, `a1`, `a2`…, titled by their names); numeric weights as
// GEXF weights, others as a `w` attribute.
class GexfWriter final : public XmlNetworkWriter {
public:
    using XmlNetworkWriter::XmlNetworkWriter;

    qsizetype writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                            NetworkMode mode) override;
    void writeEdge(int a, int b, QByteArrayView weight = {}) override;
    void finish() override;

private:
    qint64 m_edges = 0;
    QByteArray m_values; // a node's attribute values, kept from node to node
};

} // namespace urdiva
