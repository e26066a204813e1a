// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/network/output_buffer.h"
#include "engine/network/vertex_attribute.h"

#include <QByteArrayView>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

namespace urdiva {

// What the weights of a network are, which GraphML and GEXF declare before the first edge.
enum class WeightKind { None, Numbers, Texts };

// The extension of a network file in the format, dot included.
QStringView formatExtension(NetworkFormat format);
// The format's name, as users know it: "Pajek", "GraphML", "GEXF", "CSV".
QStringView formatName(NetworkFormat format);

// How many of the names hold a NUL character, which Pajek labels and CSV fields carry as U+FFFD:
// network readers take a NUL for the end of their text.
qsizetype namesWithNul(const QStringList& names);
// The text with every NUL replaced by U+FFFD.
QString withoutNul(QString text);

// A network in one format, written into an OutputBuffer: the vertices, then the edges, then
// finish(). Names are written whole, markers removed (see each format for what it changes).
class NetworkWriter {
public:
    virtual ~NetworkWriter() = default;

    // The vertices, numbered from 1: the first mode's, then (in two-mode) the second's. Returns
    // how many names had to be changed to be written.
    virtual qsizetype writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                                    NetworkMode mode) = 0;
    virtual void writeEdge(int a, int b, QByteArrayView weight = {}) = 0;
    virtual void finish() { }
    // The vertices' attributes, by vertex number, before writeVertices(). A format that does not
    // carry them leaves them out (the settings check refuses attributes for it).
    void setAttributes(std::vector<VertexAttribute> attributes)
    {
        m_attributes = std::move(attributes);
    }

protected:
    std::vector<VertexAttribute> m_attributes;
};

// The writer of the format: Pajek (see PajekWriter); GraphML with a `label` per node
// (and a `mode`, 1 or 2, in two-mode) and a `weight` per edge; GEXF 1.2 likewise; a CSV edge
// list (RFC 4180) of source, target and weight by name, with the vertices' attributes in
// `vertexTable` (see CsvWriter).
std::unique_ptr<NetworkWriter> makeNetworkWriter(OutputBuffer& text, NetworkFormat format,
                                                 bool directed, WeightKind weights,
                                                 OutputBuffer* vertexTable = nullptr);

} // namespace urdiva
