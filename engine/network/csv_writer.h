// SPDX-License-Identifier: MIT
#pragma once

#include "engine/network/network_writer.h"

#include <QByteArray>

#include <vector>

namespace urdiva {

// A CSV edge list (RFC 4180): source,target[,weight] by name, names written exactly, and with
// times a column of them, named by the time column (years, or ISO dates). With vertex
// attributes, a vertex table beside it as Gephi imports one: Id and Label (the name, as the edge
// list has it), the mode in two-mode, and a column per attribute.
class CsvWriter final : public NetworkWriter {
public:
    CsvWriter(OutputBuffer& text, WeightKind weights, OutputBuffer* vertexTable = nullptr);

    qsizetype writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                            NetworkMode mode) override;
    void writeEdge(int a, int b, QByteArrayView weight = {}, qint32 time = kNoTime) override;

private:
    void writeVertexTable(NetworkMode mode);

    OutputBuffer& m_text;
    WeightKind m_weights;
    OutputBuffer* m_vertexTable;
    qsizetype m_firstModeCount = 0;
    std::vector<QByteArray> m_names; // by vertex number - 1, quoted where they need it
    QByteArray m_line; // kept from edge to edge: a million edges make no allocations
};

} // namespace urdiva
