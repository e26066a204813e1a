#include "network_text.h"

#include "field_marker.h"

#include <cstring>

namespace urdiva {

namespace {

char* writeNumber(char* out, qint64 value)
{
    char digits[24];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (n > 0)
        *out++ = digits[--n];
    return out;
}

} // namespace

char* NetworkText::beginLine(size_t size)
{
    const size_t used = m_utf8.size();
    // Room for the line break too; the string grows geometrically, as a vector does.
    m_utf8.resize(used + size + 2);
    return m_utf8.data() + used;
}

void NetworkText::endLine(char* end)
{
    *end++ = '\r';
    *end++ = '\n';
    m_utf8.resize(size_t(end - m_utf8.data()));
    ++m_lines;
}

void NetworkText::appendLine(QStringView line)
{
    const QByteArray bytes = line.toUtf8();
    char* out = beginLine(size_t(bytes.size()));
    std::memcpy(out, bytes.constData(), size_t(bytes.size()));
    endLine(out + bytes.size());
}

void NetworkText::append(const NetworkText& other)
{
    m_utf8.append(other.m_utf8);
    m_lines += other.m_lines;
}

void NetworkText::appendVertexLines(const QStringList& names, qsizetype firstNumber)
{
    qsizetype number = firstNumber;
    for (const QString& name : names) {
        const QByteArray bytes = removeMarkers(name).toUtf8();
        char* out = writeNumber(beginLine(size_t(bytes.size()) + 24), number++);
        *out++ = ' ';
        *out++ = '"';
        std::memcpy(out, bytes.constData(), size_t(bytes.size()));
        out += bytes.size();
        *out++ = '"';
        endLine(out);
    }
}

void NetworkText::appendEdgeLine(int a, int b)
{
    char* out = writeNumber(beginLine(24), a);
    *out++ = ' ';
    endLine(writeNumber(out, b));
}

void NetworkText::appendEdgeLine(int a, int b, QByteArrayView weight)
{
    char* out = writeNumber(beginLine(size_t(weight.size()) + 24), a);
    *out++ = ' ';
    out = writeNumber(out, b);
    *out++ = ' ';
    std::memcpy(out, weight.data(), size_t(weight.size()));
    endLine(out + weight.size());
}

QString NetworkText::plainText() const
{
    QString text = QString::fromUtf8(utf8());
    text.remove(u'\r'); // names never hold a CR: the reader drops them
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

QStringList NetworkText::lines() const
{
    QStringList out = QString::fromUtf8(utf8()).split(QStringLiteral("\r\n"));
    out.removeLast(); // the text ends with a break
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
