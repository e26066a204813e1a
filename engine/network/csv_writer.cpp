// SPDX-License-Identifier: MIT
#include "engine/network/csv_writer.h"

#include "engine/io/csv_text.h"
#include "engine/io/field_marker.h"

namespace urdiva {

CsvWriter::CsvWriter(OutputBuffer& text, WeightKind weights)
    : m_text(text)
    , m_weights(weights)
{
}

qsizetype CsvWriter::writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                                   NetworkMode)
{
    m_text.appendUtf8Line(m_weights == WeightKind::None ? "source,target" : "source,target,weight");
    for (const QStringList* names : {&firstMode, &secondMode}) {
        for (const QString& name : *names)
            m_names.push_back(csvField(withoutNul(removeMarkers(name)).toUtf8()));
    }
    return 0;
}

void CsvWriter::writeEdge(int a, int b, QByteArrayView weight)
{
    m_line.truncate(0); // keeps the room, which clear() would give back
    m_line.append(m_names[size_t(a - 1)]).append(',').append(m_names[size_t(b - 1)]);
    if (m_weights != WeightKind::None)
        m_line.append(',').append(csvField(weight));
    m_text.appendUtf8Line(m_line);
}

} // namespace urdiva
