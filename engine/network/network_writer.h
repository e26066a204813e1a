// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/network/network_text.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

namespace urdiva {

// What the weights of a network are, which GraphML and GEXF declare before the first edge.
enum class WeightKind { None, Numbers, Texts };

// The extension of a network file in the format, dot included.
QStringView formatExtension(NetworkFormat format);
// The format's name, as users know it: "Pajek", "GraphML", "GEXF", "CSV".
QStringView formatName(NetworkFormat format);

// A network in one of the formats, written into a NetworkText: the vertices, then the edges,
// then finish(). Pajek as NetworkText writes it; GraphML with a `label` per node (and a `mode`,
// 1 or 2, in two-mode) and a `weight` per edge; GEXF 1.2 likewise; a CSV edge list
// (RFC 4180) of source, target and weight by name. Names are written whole, markers removed;
// characters XML cannot hold become U+FFFD.
class NetworkWriter {
public:
    NetworkWriter(NetworkText& text, NetworkFormat format, bool directed, WeightKind weights);

    // The vertices, numbered from 1: the first mode's, then (in two-mode) the second's. Returns
    // how many names had to be changed to be written.
    qsizetype writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                            NetworkMode mode);
    void writeEdge(int a, int b, QByteArrayView weight = {});
    void finish();

private:
    NetworkText& m_text;
    NetworkFormat m_format;
    bool m_directed;
    WeightKind m_weights;
    qint64 m_edges = 0;
    std::vector<QByteArray> m_csvNames; // by vertex number - 1, quoted where they need it
    QByteArray m_line;
};

} // namespace urdiva
