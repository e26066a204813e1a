// SPDX-License-Identifier: MIT
#pragma once

#include "engine/network/network_writer.h"

#include <QByteArray>

#include <vector>

namespace urdiva {

// GEXF 1.2 (the elements are those of 1.3 too): a `label` per node (and a `mode` attribute in
// two-mode); numeric weights as GEXF weights, others as a `w` attribute.
class GexfWriter final : public NetworkWriter {
public:
    GexfWriter(NetworkText& text, bool directed, WeightKind weights);

    qsizetype writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                            NetworkMode mode) override;
    void writeEdge(int a, int b, QByteArrayView weight = {}) override;
    void finish() override;

private:
    NetworkText& m_text;
    bool m_directed;
    WeightKind m_weights;
    qint64 m_edges = 0;
    QByteArray m_line; // kept from edge to edge: a million edges make no allocations
};

} // namespace urdiva
