// SPDX-License-Identifier: MIT
#include "engine/network/gexf_writer.h"

#include "engine/network/xml_text.h"

namespace urdiva {

qsizetype GexfWriter::writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                                    NetworkMode mode)
{
    const bool twoMode = mode == NetworkMode::TwoMode;
    m_text.appendUtf8Line(R"(<?xml version="1.0" encoding="UTF-8"?>)");
    m_text.appendUtf8Line(R"(<gexf xmlns="http://www.gexf.net/1.2draft" version="1.2">)");
    m_text.appendUtf8Line(R"(  <graph mode="static" defaultedgetype=")" + edgeKind() + R"(">)");
    qsizetype unnamed = 0; // attribute texts changed: no vertex name is
    if (twoMode || !m_attributes.empty()) {
        m_text.appendUtf8Line(R"(    <attributes class="node">)");
        if (twoMode)
            m_text.appendUtf8Line(R"(      <attribute id="mode" title="mode" type="integer"/>)");
        static constexpr const char* kTypes[] = {"integer", "double", "string"};
        for (size_t a = 0; a < m_attributes.size(); ++a) {
            m_line = R"(      <attribute id="a)";
            appendNumber(m_line, qint64(a + 1));
            m_line.append(R"(" title=")").append(xmlText(m_attributes[a].name, unnamed));
            m_line.append(R"(" type=")").append(kTypes[int(m_attributes[a].type)]);
            m_text.appendUtf8Line(m_line.append(R"("/>)"));
        }
        m_text.appendUtf8Line(R"(    </attributes>)");
    }
    // Readers take an attribute with the id "weight" for the number GEXF weights are.
    if (m_weights == WeightKind::Texts) {
        m_text.appendUtf8Line(R"(    <attributes class="edge">)");
        m_text.appendUtf8Line(R"(      <attribute id="w" title="weight" type="string"/>)");
        m_text.appendUtf8Line(R"(    </attributes>)");
    }
    m_text.appendUtf8Line("    <nodes>");
    qsizetype changed = 0;
    qint64 id = 1;
    for (int m = 0; m < (twoMode ? 2 : 1); ++m) {
        for (const QString& name : m == 0 ? firstMode : secondMode) {
            m_line = R"(      <node id=")";
            appendNumber(m_line, id++);
            m_line.append(R"(" label=")").append(xmlText(name, changed));
            m_values.truncate(0);
            if (twoMode) {
                m_values.append(R"(<attvalue for="mode" value=")");
                appendNumber(m_values, m + 1);
                m_values.append(R"("/>)");
            }
            for (size_t a = 0; a < m_attributes.size(); ++a) {
                const QString& value = m_attributes[a].values[size_t(id - 1)];
                if (value.isEmpty())
                    continue;
                m_values.append(R"(<attvalue for="a)");
                appendNumber(m_values, qint64(a + 1));
                m_values.append(R"(" value=")").append(xmlText(value, unnamed)).append(R"("/>)");
            }
            if (m_values.isEmpty())
                m_line.append(R"("/>)");
            else
                m_line.append(R"("><attvalues>)").append(m_values).append("</attvalues></node>");
            m_text.appendUtf8Line(m_line);
        }
    }
    m_text.appendUtf8Line("    </nodes>");
    m_text.appendUtf8Line("    <edges>");
    return changed;
}

void GexfWriter::writeEdge(int a, int b, QByteArrayView weight)
{
    m_line.truncate(0); // keeps the room, which clear() would give back
    m_line.append(R"(      <edge id=")");
    appendNumber(m_line, m_edges++);
    m_line.append(R"(" source=")");
    appendNumber(m_line, a);
    m_line.append(R"(" target=")");
    appendNumber(m_line, b);
    if (m_weights == WeightKind::Numbers) {
        m_line.append(R"(" weight=")");
        appendWeight(weight);
        m_line.append(R"("/>)");
    } else if (m_weights == WeightKind::Texts) {
        m_line.append(R"("><attvalues><attvalue for="w" value=")");
        appendWeight(weight);
        m_line.append(R"("/></attvalues></edge>)");
    } else {
        m_line.append(R"("/>)");
    }
    m_text.appendUtf8Line(m_line);
}

void GexfWriter::finish()
{
    m_text.appendUtf8Line("    </edges>");
    m_text.appendUtf8Line("  </graph>");
    m_text.appendUtf8Line("</gexf>");
}

} // namespace urdiva
