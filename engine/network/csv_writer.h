// SPDX-License-Identifier: MIT
#pragma once

#include "engine/network/network_writer.h"

#include <QByteArray>

#include <vector>

namespace urdiva {

// A CSV edge list (RFC 4180): source,target[,weight] by name, names written exactly.
class CsvWriter final : public NetworkWriter {
public:
    CsvWriter(OutputBuffer& text, WeightKind weights);

    qsizetype writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                            NetworkMode mode) override;
    void writeEdge(int a, int b, QByteArrayView weight = {}) override;

private:
    OutputBuffer& m_text;
    WeightKind m_weights;
    std::vector<QByteArray> m_names; // by vertex number - 1, quoted where they need it
    QByteArray m_line; // kept from edge to edge: a million edges make no allocations
};

} // namespace urdiva
