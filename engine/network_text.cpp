#include "network_text.h"

#include "field_marker.h"

#include <algorithm>

namespace urdiva {

void NetworkText::appendLine(QStringView line)
{
    m_text.append(line);
    m_text.append(u'\n');
    ++m_lines;
}

void NetworkText::append(const NetworkText& other)
{
    m_text.append(other.m_text);
    m_lines += other.m_lines;
}

char16_t* NetworkText::beginLine(qsizetype size)
{
    const qsizetype used = m_text.size();
    if (m_text.capacity() < used + size)
        m_text.reserve(std::max(2 * m_text.capacity(), used + size));
    m_text.resize(used + size);
    return reinterpret_cast<char16_t*>(m_text.data()) + used;
}

void NetworkText::finishLine(const char16_t* end)
{
    m_text.resize(end - reinterpret_cast<const char16_t*>(m_text.constData()));
    ++m_lines;
}

char16_t* NetworkText::writeNumber(char16_t* out, qint64 value)
{
    char16_t digits[24];
    int n = 0;
    do {
        digits[n++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (n > 0)
        *out++ = digits[--n];
    return out;
}

namespace {
char16_t* writeWithoutMarkers(char16_t* out, QStringView text)
{
    for (QChar c : text) {
        if (c != kFieldMarker)
            *out++ = c.unicode();
    }
    return out;
}
} // namespace

void NetworkText::appendVertexLines(const QStringList& names, qsizetype firstNumber)
{
    qsizetype number = firstNumber;
    for (const QString& name : names) {
        char16_t* out = writeNumber(beginLine(name.size() + 24), number++);
        *out++ = u' ';
        *out++ = u'"';
        out = writeWithoutMarkers(out, name);
        *out++ = u'"';
        *out++ = u'\n';
        finishLine(out);
    }
}

void NetworkText::appendEdgeLine(int a, int b)
{
    char16_t* out = writeNumber(beginLine(24), a);
    *out++ = u' ';
    out = writeNumber(out, b);
    *out++ = u'\n';
    finishLine(out);
}

void NetworkText::appendEdgeLine(int a, int b, QStringView weight)
{
    char16_t* out = writeNumber(beginLine(weight.size() + 25), a);
    *out++ = u' ';
    out = writeNumber(out, b);
    *out++ = u' ';
    out = writeWithoutMarkers(out, weight);
    *out++ = u'\n';
    finishLine(out);
}

QString NetworkText::plainText() const
{
    return m_text.endsWith(u'\n') ? m_text.chopped(1) : m_text;
}

QStringList NetworkText::lines() const
{
    QStringList out = m_text.split(u'\n');
    out.removeLast(); // the text ends with a break
    return out;
}

QByteArray NetworkText::fileBytes() const
{
    const QByteArray utf8 = m_text.toUtf8();
    QByteArray out;
    out.reserve(3 + utf8.size() + m_lines);
    out.append("\xEF\xBB\xBF");
    qsizetype from = 0;
    for (;;) {
        const qsizetype lf = utf8.indexOf('\n', from);
        if (lf < 0)
            break;
        out.append(utf8.constData() + from, lf - from);
        out.append("\r\n");
        from = lf + 1;
    }
    out.append(utf8.constData() + from, utf8.size() - from);
    return out;
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

} // namespace urdiva
