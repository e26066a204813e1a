// SPDX-License-Identifier: MIT
#include "engine/network/gexf_writer.h"

#include "engine/network/link_pass.h"
#include "engine/network/xml_text.h"

#include <algorithm>

namespace urdiva {

void GexfWriter::appendTime(qint32 time)
{
    m_line.append(timeText(time, m_times->kind));
}

qsizetype GexfWriter::writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                                    NetworkMode mode)
{
    const bool twoMode = mode == NetworkMode::TwoMode;
    m_text.appendUtf8Line(R"(<?xml version="1.0" encoding="UTF-8"?>)");
    m_text.appendUtf8Line(R"(<gexf xmlns="http://www.gexf.net/1.2draft" version="1.2">)");
    if (m_times)
        m_text.appendUtf8Line(
            R"(  <graph mode="dynamic" defaultedgetype=")" + edgeKind() + R"(" timeformat=")" +
            (m_times->kind == TimeValue::Kind::Year ? "integer" : "date") + R"(">)");
    else
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
    const bool dynamicWeights = m_times && m_times->merged && m_weights != WeightKind::None;
    if (m_weights == WeightKind::Texts || dynamicWeights) {
        m_text.appendUtf8Line(dynamicWeights ? R"(    <attributes class="edge" mode="dynamic">)"
                                             : R"(    <attributes class="edge">)");
        // A reader may take the id "weight" for a static weight, whatever the class's mode.
        m_text.appendUtf8Line(m_weights == WeightKind::Texts
                                  ? R"(      <attribute id="w" title="weight" type="string"/>)"
                                  : R"(      <attribute id="w" title="weight" type="double"/>)");
        m_text.appendUtf8Line(R"(    </attributes>)");
    }
    m_text.appendUtf8Line("    <nodes>");
    qsizetype changed = 0;
    qint64 id = 1;
    for (int m = 0; m < (twoMode ? 2 : 1); ++m) {
        for (const QString& name : m == 0 ? firstMode : secondMode) {
            m_line = R"(      <node id=")";
            appendNumber(m_line, id);
            m_line.append(R"(" label=")").append(xmlText(name, changed));
            if (m_times && m_spans[size_t(id)].first != kNoTime) {
                m_line.append(R"(" start=")");
                appendTime(m_spans[size_t(id)].first);
                m_line.append(R"(" end=")");
                appendTime(m_spans[size_t(id)].last);
            }
            ++id;
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

void GexfWriter::writeEdge(int a, int b, QByteArrayView weight, qint32 time)
{
    if (m_times && m_times->merged) {
        const auto [slot, isNew] = m_pairOf.try_emplace(linkKey(a, b, m_directed), m_pairs.size());
        if (isNew)
            m_pairs.push_back({a, b, {}});
        m_pairs[slot->second].times.emplace_back(time, weight.toByteArray());
        return;
    }
    m_line.truncate(0); // keeps the room, which clear() would give back
    m_line.append(R"(      <edge id=")");
    appendNumber(m_line, m_edges++);
    m_line.append(R"(" source=")");
    appendNumber(m_line, a);
    m_line.append(R"(" target=")");
    appendNumber(m_line, b);
    if (time != kNoTime) {
        m_line.append(R"(" start=")");
        appendTime(time);
        m_line.append(R"(" end=")");
        appendTime(time);
    }
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

void GexfWriter::writePairs()
{
    for (const Pair& pair : m_pairs) {
        m_line = R"(      <edge id=")";
        appendNumber(m_line, m_edges++);
        m_line.append(R"(" source=")");
        appendNumber(m_line, pair.a);
        m_line.append(R"(" target=")");
        appendNumber(m_line, pair.b);
        m_line.append(R"(">)");
        // A link without a time holds at every time.
        const auto timed = [](const auto& entry) { return entry.first != kNoTime; };
        if (m_weights != WeightKind::None) {
            m_line.append("<attvalues>");
            for (const auto& [time, weight] : pair.times) {
                m_line.append(R"(<attvalue for="w" value=")");
                appendWeight(weight);
                if (time != kNoTime) {
                    m_line.append(R"(" start=")");
                    appendTime(time);
                    m_line.append(R"(" end=")");
                    appendTime(time);
                }
                m_line.append(R"("/>)");
            }
            m_line.append("</attvalues>");
        }
        if (std::all_of(pair.times.begin(), pair.times.end(), timed)) {
            m_line.append("<spells>");
            for (const auto& entry : pair.times) {
                m_line.append(R"(<spell start=")");
                appendTime(entry.first);
                m_line.append(R"(" end=")");
                appendTime(entry.first);
                m_line.append(R"("/>)");
            }
            m_line.append("</spells>");
        }
        m_text.appendUtf8Line(m_line.append("</edge>"));
    }
}

void GexfWriter::finish()
{
    writePairs();
    m_text.appendUtf8Line("    </edges>");
    m_text.appendUtf8Line("  </graph>");
    m_text.appendUtf8Line("</gexf>");
}

} // namespace urdiva
