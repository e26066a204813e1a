// SPDX-License-Identifier: MIT
#include "engine/network/network_writer.h"

#include "engine/io/csv_text.h"
#include "engine/io/field_marker.h"

#include <algorithm>
#include <charconv>

namespace urdiva {
namespace {

// The name without markers as XML text, fit for an attribute value too: the five special
// characters and the white space an attribute would turn into spaces as character references,
// and characters XML cannot hold (controls, lone surrogates, U+FFFE, U+FFFF) as U+FFFD.
QByteArray xmlText(QStringView name, qsizetype& changed)
{
    QString out;
    out.reserve(name.size());
    bool replaced = false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        const char16_t u = c.unicode();
        if (c == kFieldMarker)
            continue;
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            out += c;
            out += name[++i];
            continue;
        }
        switch (u) {
        case u'&':
            out += QLatin1StringView("&amp;");
            continue;
        case u'<':
            out += QLatin1StringView("&lt;");
            continue;
        case u'>':
            out += QLatin1StringView("&gt;");
            continue;
        case u'"':
            out += QLatin1StringView("&quot;");
            continue;
        case u'\t':
            out += QLatin1StringView("&#9;");
            continue;
        case u'\n':
            out += QLatin1StringView("&#10;");
            continue;
        case u'\r':
            out += QLatin1StringView("&#13;");
            continue;
        default:
            break;
        }
        if (c.isSurrogate() || u < 0x20 || u == 0xFFFE || u == 0xFFFF) {
            out += QChar(0xFFFD);
            replaced = true;
        } else {
            out += c;
        }
    }
    changed += replaced;
    return out.toUtf8();
}

QByteArray number(qint64 value)
{
    return QByteArray::number(value);
}

} // namespace

QStringView formatExtension(NetworkFormat format)
{
    switch (format) {
    case NetworkFormat::GraphML:
        return u".graphml";
    case NetworkFormat::Gexf:
        return u".gexf";
    case NetworkFormat::Csv:
        return u".csv";
    case NetworkFormat::Pajek:
        break;
    }
    return u".net";
}

QStringView formatName(NetworkFormat format)
{
    switch (format) {
    case NetworkFormat::GraphML:
        return u"GraphML";
    case NetworkFormat::Gexf:
        return u"GEXF";
    case NetworkFormat::Csv:
        return u"CSV";
    case NetworkFormat::Pajek:
        break;
    }
    return u"Pajek";
}

NetworkWriter::NetworkWriter(NetworkText& text, NetworkFormat format, bool directed,
                             WeightKind weights)
    : m_text(text)
    , m_format(format)
    , m_directed(directed)
    , m_weights(weights)
{
}

qsizetype NetworkWriter::writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                                       NetworkMode mode)
{
    const bool twoMode = mode == NetworkMode::TwoMode;
    const QByteArray edgeKind = m_directed ? "directed" : "undirected";
    qsizetype changed = 0;
    switch (m_format) {
    case NetworkFormat::Pajek:
        m_text.appendLine(vertexCountLine(firstMode.size(), secondMode.size(), mode));
        changed = m_text.appendVertexLines(firstMode, 1);
        if (twoMode)
            changed += m_text.appendVertexLines(secondMode, firstMode.size() + 1);
        m_text.appendLine(linkKindLine(m_directed));
        return changed;
    case NetworkFormat::Csv:
        m_text.appendUtf8Line(m_weights == WeightKind::None ? "source,target"
                                                            : "source,target,weight");
        for (const QStringList* names : {&firstMode, &secondMode}) {
            for (const QString& name : *names)
                m_csvNames.push_back(csvField(removeMarkers(name).toUtf8()));
        }
        return 0;
    case NetworkFormat::GraphML:
        m_text.appendUtf8Line(R"(<?xml version="1.0" encoding="UTF-8"?>)");
        m_text.appendUtf8Line(R"(<graphml xmlns="http://graphml.graphdrawing.org/xmlns" )"
                              R"(xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" )"
                              R"(xsi:schemaLocation="http://graphml.graphdrawing.org/xmlns )"
                              R"(http://graphml.graphdrawing.org/xmlns/1.0/graphml.xsd">)");
        m_text.appendUtf8Line(
            R"(  <key id="label" for="node" attr.name="label" attr.type="string"/>)");
        if (twoMode)
            m_text.appendUtf8Line(
                R"(  <key id="mode" for="node" attr.name="mode" attr.type="int"/>)");
        if (m_weights != WeightKind::None)
            m_text.appendUtf8Line(
                R"(  <key id="weight" for="edge" attr.name="weight" attr.type=")" +
                QByteArray(m_weights == WeightKind::Numbers ? "double" : "string") + R"("/>)");
        m_text.appendUtf8Line(R"(  <graph id="G" edgedefault=")" + edgeKind + R"(">)");
        break;
    case NetworkFormat::Gexf:
        m_text.appendUtf8Line(R"(<?xml version="1.0" encoding="UTF-8"?>)");
        m_text.appendUtf8Line(R"(<gexf xmlns="http://www.gexf.net/1.2draft" version="1.2">)");
        m_text.appendUtf8Line(R"(  <graph mode="static" defaultedgetype=")" + edgeKind + R"(">)");
        if (twoMode) {
            m_text.appendUtf8Line(R"(    <attributes class="node">)");
            m_text.appendUtf8Line(R"(      <attribute id="mode" title="mode" type="integer"/>)");
            m_text.appendUtf8Line(R"(    </attributes>)");
        }
        // Readers take an attribute with the id "weight" for the number GEXF weights are.
        if (m_weights == WeightKind::Texts) {
            m_text.appendUtf8Line(R"(    <attributes class="edge">)");
            m_text.appendUtf8Line(R"(      <attribute id="w" title="weight" type="string"/>)");
            m_text.appendUtf8Line(R"(    </attributes>)");
        }
        m_text.appendUtf8Line("    <nodes>");
        break;
    }
    qint64 id = 1;
    for (int m = 0; m < (twoMode ? 2 : 1); ++m) {
        for (const QString& name : m == 0 ? firstMode : secondMode) {
            const QByteArray label = xmlText(name, changed);
            const QByteArray modeText = number(m + 1);
            if (m_format == NetworkFormat::GraphML)
                m_text.appendUtf8Line(
                    R"(    <node id="n)" + number(id++) + R"("><data key="label">)" + label +
                    "</data>" +
                    (twoMode ? R"(<data key="mode">)" + modeText + "</data>" : QByteArray()) +
                    "</node>");
            else
                m_text.appendUtf8Line(R"(      <node id=")" + number(id++) + R"(" label=")" +
                                      label +
                                      (twoMode ? R"("><attvalues><attvalue for="mode" value=")" +
                                                     modeText + R"("/></attvalues></node>)"
                                               : QByteArray(R"("/>)")));
        }
    }
    if (m_format == NetworkFormat::Gexf) {
        m_text.appendUtf8Line("    </nodes>");
        m_text.appendUtf8Line("    <edges>");
    }
    return changed;
}

void NetworkWriter::writeEdge(int a, int b, QByteArrayView weight)
{
    if (m_format == NetworkFormat::Pajek) {
        if (m_weights != WeightKind::None)
            m_text.appendEdgeLine(a, b, weight);
        else
            m_text.appendEdgeLine(a, b);
        return;
    }
    // One line buffer, kept from edge to edge: a million edges make no allocations.
    QByteArray& line = m_line;
    line.truncate(0); // keeps the room, which clear() would give back
    const auto add = [&line](qint64 value) {
        char digits[24];
        line.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    };
    const auto addWeight = [&] {
        if (m_weights == WeightKind::Numbers) {
            line.append(weight);
        } else {
            qsizetype ignored = 0;
            line.append(xmlText(QString::fromUtf8(weight), ignored));
        }
    };
    switch (m_format) {
    case NetworkFormat::Csv:
        line.append(m_csvNames[size_t(a - 1)]).append(',').append(m_csvNames[size_t(b - 1)]);
        if (m_weights != WeightKind::None)
            line.append(',').append(csvField(weight));
        break;
    case NetworkFormat::GraphML:
        line.append(R"(    <edge source="n)");
        add(a);
        line.append(R"(" target="n)");
        add(b);
        if (m_weights == WeightKind::None) {
            line.append(R"("/>)");
            break;
        }
        line.append(R"("><data key="weight">)");
        addWeight();
        line.append("</data></edge>");
        break;
    case NetworkFormat::Gexf:
        line.append(R"(      <edge id=")");
        add(m_edges);
        line.append(R"(" source=")");
        add(a);
        line.append(R"(" target=")");
        add(b);
        if (m_weights == WeightKind::Numbers) {
            line.append(R"(" weight=")");
            addWeight();
            line.append(R"("/>)");
        } else if (m_weights == WeightKind::Texts) {
            line.append(R"("><attvalues><attvalue for="w" value=")");
            addWeight();
            line.append(R"("/></attvalues></edge>)");
        } else {
            line.append(R"("/>)");
        }
        break;
    case NetworkFormat::Pajek:
        break;
    }
    m_text.appendUtf8Line(line);
    ++m_edges;
}

void NetworkWriter::finish()
{
    switch (m_format) {
    case NetworkFormat::GraphML:
        m_text.appendUtf8Line("  </graph>");
        m_text.appendUtf8Line("</graphml>");
        break;
    case NetworkFormat::Gexf:
        m_text.appendUtf8Line("    </edges>");
        m_text.appendUtf8Line("  </graph>");
        m_text.appendUtf8Line("</gexf>");
        break;
    default:
        break;
    }
}

} // namespace urdiva
