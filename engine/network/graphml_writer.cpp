// SPDX-License-Identifier: MIT
#include "engine/network/graphml_writer.h"

#include "engine/network/xml_text.h"

namespace urdiva {

qsizetype GraphmlWriter::writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                                       NetworkMode mode)
{
    const bool twoMode = mode == NetworkMode::TwoMode;
    qsizetype changed = 0;
    qsizetype unnamed = 0; // attribute texts changed: no vertex name is
    m_text.appendUtf8Line(R"(<?xml version="1.0" encoding="UTF-8"?>)");
    m_text.appendUtf8Line(R"(<graphml xmlns="http://graphml.graphdrawing.org/xmlns" )"
                          R"(xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" )"
                          R"(xsi:schemaLocation="http://graphml.graphdrawing.org/xmlns )"
                          R"(http://graphml.graphdrawing.org/xmlns/1.0/graphml.xsd">)");
    m_text.appendUtf8Line(R"(  <key id="label" for="node" attr.name="label" attr.type="string"/>)");
    if (twoMode)
        m_text.appendUtf8Line(R"(  <key id="mode" for="node" attr.name="mode" attr.type="int"/>)");
    for (size_t a = 0; a < m_attributes.size(); ++a) {
        const VertexAttribute& attribute = m_attributes[a];
        static constexpr const char* kTypes[] = {"int", "double", "string"};
        m_line = R"(  <key id="a)";
        appendNumber(m_line, qint64(a + 1));
        m_line.append(R"(" for="node" attr.name=")").append(xmlText(attribute.name, unnamed));
        m_line.append(R"(" attr.type=")").append(kTypes[int(attribute.type)]).append(R"("/>)");
        m_text.appendUtf8Line(m_line);
    }
    if (m_weights != WeightKind::None)
        m_text.appendUtf8Line(R"(  <key id="weight" for="edge" attr.name="weight" attr.type=")" +
                              QByteArray(m_weights == WeightKind::Numbers ? "double" : "string") +
                              R"("/>)");
    if (m_times) {
        m_line = R"(  <key id="time" for="edge" attr.name=")";
        m_line.append(xmlText(m_times->name, unnamed)).append(R"(" attr.type=")");
        m_line.append(m_times->kind == TimeValue::Kind::Year ? "int" : "string").append(R"("/>)");
        m_text.appendUtf8Line(m_line);
    }
    m_text.appendUtf8Line(R"(  <graph id="G" edgedefault=")" + edgeKind() + R"(">)");
    qint64 id = 1;
    for (int m = 0; m < (twoMode ? 2 : 1); ++m) {
        for (const QString& name : m == 0 ? firstMode : secondMode) {
            m_line = R"(    <node id="n)";
            appendNumber(m_line, id++);
            m_line.append(R"("><data key="label">)").append(xmlText(name, changed));
            m_line.append("</data>");
            if (twoMode) {
                m_line.append(R"(<data key="mode">)");
                appendNumber(m_line, m + 1);
                m_line.append("</data>");
            }
            for (size_t a = 0; a < m_attributes.size(); ++a) {
                const QString& value = m_attributes[a].values[size_t(id - 1)];
                if (value.isEmpty())
                    continue;
                m_line.append(R"(<data key="a)");
                appendNumber(m_line, qint64(a + 1));
                m_line.append(R"(">)").append(xmlText(value, unnamed)).append("</data>");
            }
            m_text.appendUtf8Line(m_line.append("</node>"));
        }
    }
    return changed;
}

void GraphmlWriter::writeEdge(int a, int b, QByteArrayView weight, qint32 time)
{
    m_line.truncate(0); // keeps the room, which clear() would give back
    m_line.append(R"(    <edge source="n)");
    appendNumber(m_line, a);
    m_line.append(R"(" target="n)");
    appendNumber(m_line, b);
    if (m_weights == WeightKind::None && time == kNoTime) {
        m_line.append(R"("/>)");
    } else {
        m_line.append(R"(">)");
        if (m_weights != WeightKind::None) {
            m_line.append(R"(<data key="weight">)");
            appendWeight(weight);
            m_line.append("</data>");
        }
        if (time != kNoTime)
            m_line.append(R"(<data key="time">)")
                .append(timeText(time, m_times->kind))
                .append("</data>");
        m_line.append("</edge>");
    }
    m_text.appendUtf8Line(m_line);
}

void GraphmlWriter::finish()
{
    m_text.appendUtf8Line("  </graph>");
    m_text.appendUtf8Line("</graphml>");
}

} // namespace urdiva
