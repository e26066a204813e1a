// SPDX-License-Identifier: MIT
#pragma once

#include "engine/network/network_writer.h"

#include <QByteArray>

#include <vector>

namespace urdiva {

// A Pajek network: the vertex count line, a numbered line per vertex with its name between
// quotation marks (a quotation mark inside written as an apostrophe, see NetworkText), the link
// kind line and an edge line per link.
class PajekWriter final : public NetworkWriter {
public:
    PajekWriter(NetworkText& text, bool directed, WeightKind weights);

    qsizetype writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                            NetworkMode mode) override;
    void writeEdge(int a, int b, QByteArrayView weight = {}) override;

private:
    NetworkText& m_text;
    bool m_directed;
    WeightKind m_weights;
};

} // namespace urdiva
