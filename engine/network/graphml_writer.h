// SPDX-License-Identifier: MIT
#pragma once

#include "engine/network/network_writer.h"

#include <QByteArray>

#include <vector>

namespace urdiva {

// GraphML: a `label` per node (and a `mode`, 1 or 2, in two-mode) and a `weight` per edge,
// declared `double` when every weight is a number and `string` otherwise.
class GraphmlWriter final : public NetworkWriter {
public:
    GraphmlWriter(NetworkText& text, bool directed, WeightKind weights);

    qsizetype writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                            NetworkMode mode) override;
    void writeEdge(int a, int b, QByteArrayView weight = {}) override;
    void finish() override;

private:
    NetworkText& m_text;
    bool m_directed;
    WeightKind m_weights;
    QByteArray m_line; // kept from edge to edge: a million edges make no allocations
};

} // namespace urdiva
