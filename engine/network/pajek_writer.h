// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/parallel.h"
#include "engine/network/network_writer.h"

#include <QStringList>

namespace urdiva {

// A Pajek network: the vertex count line, a numbered line per vertex with its name between
// quotation marks, the link kind line and an edge line per link ("a b", or "a b weight").
// Labels have no escape: a quotation mark in a name is written as an apostrophe, a line break
// (of a quoted field) as a space and a NUL as U+FFFD, so that every reader takes the label whole.
// With times, Pajek's temporal notation: a vertex line ends with the span it is present in
// ("[2019-2021]", or "[2019]"), a link line with its weight (1 without a value column) and its
// time ("1 2 1 [2020]"); a day is the number yyyymmdd.
class PajekWriter final : public NetworkWriter {
public:
    PajekWriter(OutputBuffer& text, bool directed, WeightKind weights);

    qsizetype writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                            NetworkMode mode) override;
    void writeEdge(int a, int b, QByteArrayView weight = {}, qint32 time = kNoTime) override;

    // The edge lines of `count` links at once, made on two threads: `edges(begin, end, write)`
    // calls write(a, b, weight) or write(a, b, weight, time) for the links [begin, end) in order
    // and returns how many it wrote. The second half's lines go to a buffer of their own (made
    // `tailBytes` large to begin with) and follow the first's. Returns the lines written.
    template <typename Edges>
    qint64 writeEdges(size_t count, qsizetype tailBytes, Edges edges);

    // One line per vertex, numbered from firstNumber on, with its span when `spans` (by vertex
    // number) gives one; the number of names whose quotation marks or line breaks were replaced.
    static qsizetype writeVertexLines(OutputBuffer& text, const QStringList& names,
                                      qsizetype firstNumber,
                                      const std::vector<TimeSpan>* spans = nullptr);
    static void writeEdgeLine(OutputBuffer& text, int a, int b);
    // The weight in UTF-8, as it is.
    static void writeEdgeLine(OutputBuffer& text, int a, int b, QByteArrayView weight);
    // A link's line: with its weight when weighted and, with a time, the weight (1 when
    // unweighted) and the time mark.
    static void writeLinkLine(OutputBuffer& text, int a, int b, QByteArrayView weight,
                              bool weighted, qint32 time);

private:
    OutputBuffer& m_text;
    bool m_directed;
    bool m_weighted;
};

// "*Vertices N1+N2", followed in two-mode by a space and N1.
QString vertexCountLine(qsizetype firstModeCount, qsizetype secondModeCount, NetworkMode mode);
// "*Arcs" for a directed network, "*Edges" otherwise.
QString linkKindLine(bool directed);
// How many of the names end in a backslash: a Pajek label has no escape, and a reader that splits
// lines as a shell does (networkx) takes \" for a quotation mark inside the label.
qsizetype namesEndingInBackslash(const QStringList& names);

template <typename Edges>
qint64 PajekWriter::writeEdges(size_t count, qsizetype tailBytes, Edges edges)
{
    OutputBuffer tail;
    qint64 lines[2] = {0, 0};
    inHalves(count, [&](size_t begin, size_t end, int half) {
        OutputBuffer& out = half == 0 ? m_text : tail;
        if (half == 1)
            tail.reserve(tailBytes);
        const bool weighted = m_weighted;
        lines[half] =
            edges(begin, end,
                  [&out, weighted](int a, int b, QByteArrayView weight, qint32 time = kNoTime) {
                      writeLinkLine(out, a, b, weight, weighted, time);
                  });
    });
    m_text.append(tail);
    return lines[0] + lines[1];
}

} // namespace urdiva
