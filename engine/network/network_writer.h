// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/io/time_text.h"
#include "engine/network/output_buffer.h"
#include "engine/network/vertex_attribute.h"

#include <QByteArrayView>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace urdiva {

// What the weights of a network are, which GraphML and GEXF declare before the first edge.
enum class WeightKind { None, Numbers, Texts };

// The times of a network's links (see ConversionSettings::timeColumn): years or days, the time
// column's name, and whether each link is the merge of a pair's links at one time (GEXF gives
// a pair one edge, whose weight changes from time to time).
struct LinkTimes {
    TimeValue::Kind kind = TimeValue::Kind::Year;
    QString name;
    bool merged = false;
};
// When a vertex is present: from the first time of its links to the last (kNoTime: none has one).
struct TimeSpan {
    qint32 first = kNoTime;
    qint32 last = kNoTime;
};

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
    // `time`: the link's time, kNoTime for none (see setTimes).
    virtual void writeEdge(int a, int b, QByteArrayView weight = {}, qint32 time = kNoTime) = 0;
    virtual void finish() { }
    // The vertices' attributes, by vertex number, before writeVertices(). A format that does not
    // carry them leaves them out (the settings check refuses attributes for it).
    void setAttributes(std::vector<VertexAttribute> attributes)
    {
        m_attributes = std::move(attributes);
    }

    // The links' times and the vertices' spans, by vertex number, before writeVertices(): the
    // links are written with their times.
    void setTimes(LinkTimes times, std::vector<TimeSpan> vertexSpans)
    {
        m_times = std::move(times);
        m_spans = std::move(vertexSpans);
    }

protected:
    std::vector<VertexAttribute> m_attributes;
    std::optional<LinkTimes> m_times;
    std::vector<TimeSpan> m_spans;
};

// The writer of the format: Pajek (see PajekWriter); GraphML with a `label` per node
// (and a `mode`, 1 or 2, in two-mode) and a `weight` per edge; GEXF 1.2 likewise; a CSV edge
// list (RFC 4180) of source, target and weight by name, with the vertices' attributes in
// `vertexTable` (see CsvWriter).
std::unique_ptr<NetworkWriter> makeNetworkWriter(OutputBuffer& text, NetworkFormat format,
                                                 bool directed, WeightKind weights,
                                                 OutputBuffer* vertexTable = nullptr);

} // namespace urdiva
