// SPDX-License-Identifier: MIT
#include "engine/network/pajek_writer.h"

#include "engine/io/field_marker.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace urdiva {

namespace {

char* writeNumber(char* out, qint64 value)
{
    return std::to_chars(out, out + 20, value).ptr;
}

// What a label cannot hold, replaced: a quotation mark by an apostrophe, a line break by a space,
// a NUL (which network readers take for the end of the file) by U+FFFD.
char16_t labelChar(char16_t u)
{
    return u == u'"' ? u'\'' : u == u'\n' ? u' ' : u == 0 ? u'\uFFFD' : u;
}

// The name as a label, without field markers, in UTF-8 as QString::toUtf8() encodes it: at most
// three bytes per code unit.
char* writeLabelUtf8(char* out, QStringView text)
{
    // Surrogates, paired or not, are rare enough to leave to Qt's own encoder.
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); })) {
        QString label = removeMarkers(text);
        for (QChar& c : label)
            c = QChar(labelChar(c.unicode()));
        const QByteArray bytes = label.toUtf8();
        return std::copy(bytes.cbegin(), bytes.cend(), out);
    }
    for (const QChar c : text) {
        const char16_t u = labelChar(c.unicode());
        if (u < 0x80) {
            *out++ = char(u);
        } else if (u == kFieldMarker.unicode()) {
            continue;
        } else if (u < 0x800) {
            *out++ = char(0xC0 | (u >> 6));
            *out++ = char(0x80 | (u & 0x3F));
        } else {
            *out++ = char(0xE0 | (u >> 12));
            *out++ = char(0x80 | ((u >> 6) & 0x3F));
            *out++ = char(0x80 | (u & 0x3F));
        }
    }
    return out;
}

// " [first-last]", or " [time]" for a span of one time.
char* writeSpan(char* out, qint32 first, qint32 last)
{
    *out++ = ' ';
    *out++ = '[';
    out = writeNumber(out, first);
    if (last != first) {
        *out++ = '-';
        out = writeNumber(out, last);
    }
    *out++ = ']';
    return out;
}

} // namespace

PajekWriter::PajekWriter(OutputBuffer& text, bool directed, WeightKind weights)
    : m_text(text)
    , m_directed(directed)
    , m_weighted(weights != WeightKind::None)
{
}

qsizetype PajekWriter::writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                                     NetworkMode mode)
{
    m_text.appendLine(vertexCountLine(firstMode.size(), secondMode.size(), mode));
    const std::vector<TimeSpan>* spans = m_times ? &m_spans : nullptr;
    qsizetype changed = writeVertexLines(m_text, firstMode, 1, spans);
    if (mode == NetworkMode::TwoMode)
        changed += writeVertexLines(m_text, secondMode, firstMode.size() + 1, spans);
    m_text.appendLine(linkKindLine(m_directed));
    return changed;
}

void PajekWriter::writeEdge(int a, int b, QByteArrayView weight, qint32 time)
{
    writeLinkLine(m_text, a, b, weight, m_weighted, time);
}

qsizetype PajekWriter::writeVertexLines(OutputBuffer& text, const QStringList& names,
                                        qsizetype firstNumber, const std::vector<TimeSpan>* spans)
{
    qsizetype number = firstNumber;
    qsizetype changed = 0;
    for (const QString& name : names) {
        if (name.contains(u'"') || name.contains(u'\n'))
            ++changed;
        // Up to three bytes per code unit, plus the number, a space, the quotation marks and the
        // span.
        char* out = writeNumber(text.beginLine(3 * size_t(name.size()) + 64), number);
        *out++ = ' ';
        *out++ = '"';
        out = writeLabelUtf8(out, name);
        *out++ = '"';
        if (spans && (*spans)[size_t(number)].first != kNoTime)
            out = writeSpan(out, (*spans)[size_t(number)].first, (*spans)[size_t(number)].last);
        ++number;
        text.endLine(out);
    }
    return changed;
}

void PajekWriter::writeEdgeLine(OutputBuffer& text, int a, int b)
{
    char* out = writeNumber(text.beginLine(24), a);
    *out++ = ' ';
    text.endLine(writeNumber(out, b));
}

void PajekWriter::writeEdgeLine(OutputBuffer& text, int a, int b, QByteArrayView weight)
{
    char* out = writeNumber(text.beginLine(size_t(weight.size()) + 24), a);
    *out++ = ' ';
    out = writeNumber(out, b);
    *out++ = ' ';
    std::memcpy(out, weight.data(), size_t(weight.size()));
    text.endLine(out + weight.size());
}

void PajekWriter::writeLinkLine(OutputBuffer& text, int a, int b, QByteArrayView weight,
                                bool weighted, qint32 time)
{
    if (time == kNoTime) {
        if (weighted)
            writeEdgeLine(text, a, b, weight);
        else
            writeEdgeLine(text, a, b);
        return;
    }
    char* out = writeNumber(text.beginLine(size_t(weight.size()) + 64), a);
    *out++ = ' ';
    out = writeNumber(out, b);
    *out++ = ' ';
    if (weighted)
        out = std::copy(weight.begin(), weight.end(), out);
    else
        *out++ = '1';
    text.endLine(writeSpan(out, time, time));
}

QString vertexCountLine(qsizetype firstModeCount, qsizetype secondModeCount, NetworkMode mode)
{
    QString line = QStringLiteral("*Vertices ") + QString::number(firstModeCount + secondModeCount);
    if (mode == NetworkMode::TwoMode)
        line += u' ' + QString::number(firstModeCount);
    return line;
}

QString linkKindLine(bool directed)
{
    return directed ? QStringLiteral("*Arcs") : QStringLiteral("*Edges");
}

qsizetype namesEndingInBackslash(const QStringList& names)
{
    return std::count_if(names.begin(), names.end(), [](const QString& name) {
        return name.endsWith(u'\\') || name.endsWith(QStringView(u"\\\u00B6"));
    });
}

} // namespace urdiva
