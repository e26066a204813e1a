// SPDX-License-Identifier: MIT
#include "engine/network/csv_writer.h"

#include "engine/io/csv_text.h"
#include "engine/io/field_marker.h"

namespace urdiva {

CsvWriter::CsvWriter(OutputBuffer& text, WeightKind weights, OutputBuffer* vertexTable)
    : m_text(text)
    , m_weights(weights)
    , m_vertexTable(vertexTable)
{
}

qsizetype CsvWriter::writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                                   NetworkMode mode)
{
    m_firstModeCount = firstMode.size();
    QByteArray header = m_weights == WeightKind::None ? "source,target" : "source,target,weight";
    if (m_times)
        header.append(',').append(csvField(withoutNul(m_times->name).toUtf8()));
    m_text.appendUtf8Line(header);
    for (const QStringList* names : {&firstMode, &secondMode}) {
        for (const QString& name : *names)
            m_names.push_back(csvField(withoutNul(removeMarkers(name)).toUtf8()));
    }
    if (m_vertexTable && !m_attributes.empty())
        writeVertexTable(mode);
    return 0;
}

void CsvWriter::writeVertexTable(NetworkMode mode)
{
    const bool twoMode = mode == NetworkMode::TwoMode;
    QByteArray line = twoMode ? "Id,Label,mode" : "Id,Label";
    for (const VertexAttribute& attribute : m_attributes)
        line.append(',').append(csvField(withoutNul(attribute.name).toUtf8()));
    m_vertexTable->appendUtf8Line(line);
    for (size_t v = 0; v < m_names.size(); ++v) {
        line.truncate(0);
        line.append(m_names[v]).append(',').append(m_names[v]);
        if (twoMode)
            line.append(qsizetype(v) < m_firstModeCount ? ",1" : ",2");
        for (const VertexAttribute& attribute : m_attributes)
            line.append(',').append(csvField(withoutNul(attribute.values[v + 1]).toUtf8()));
        m_vertexTable->appendUtf8Line(line);
    }
}

void CsvWriter::writeEdge(int a, int b, QByteArrayView weight, qint32 time)
{
    m_line.truncate(0); // keeps the room, which clear() would give back
    m_line.append(m_names[size_t(a - 1)]).append(',').append(m_names[size_t(b - 1)]);
    if (m_weights != WeightKind::None)
        m_line.append(',').append(csvField(weight));
    if (m_times) {
        m_line.append(',');
        if (time != kNoTime)
            m_line.append(timeText(time, m_times->kind));
    }
    m_text.appendUtf8Line(m_line);
}

} // namespace urdiva
