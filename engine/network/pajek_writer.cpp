// SPDX-License-Identifier: MIT
#include "engine/network/pajek_writer.h"

namespace urdiva {

PajekWriter::PajekWriter(NetworkText& text, bool directed, WeightKind weights)
    : m_text(text)
    , m_directed(directed)
    , m_weights(weights)
{
}

qsizetype PajekWriter::writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                                     NetworkMode mode)
{
    m_text.appendLine(vertexCountLine(firstMode.size(), secondMode.size(), mode));
    qsizetype changed = m_text.appendVertexLines(firstMode, 1);
    if (mode == NetworkMode::TwoMode)
        changed += m_text.appendVertexLines(secondMode, firstMode.size() + 1);
    m_text.appendLine(linkKindLine(m_directed));
    return changed;
}

void PajekWriter::writeEdge(int a, int b, QByteArrayView weight)
{
    if (m_weights != WeightKind::None)
        m_text.appendEdgeLine(a, b, weight);
    else
        m_text.appendEdgeLine(a, b);
}

} // namespace urdiva
