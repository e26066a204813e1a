#include "network_text.h"

#include "field_marker.h"

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

void NetworkText::appendNumber(qint64 value)
{
    char16_t digits[24];
    int n = 0;
    do {
        digits[n++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (n > 0)
        m_text.append(QChar(digits[--n]));
}

void NetworkText::appendVertexLines(const QStringList& names, qsizetype firstNumber)
{
    qsizetype number = firstNumber;
    for (const QString& name : names) {
        appendNumber(number++);
        m_text.append(u" \"");
        for (QChar c : name) {
            if (c != kFieldMarker)
                m_text.append(c);
        }
        m_text.append(u"\"\n");
        ++m_lines;
    }
}

void NetworkText::appendEdgeLine(int a, int b, const QString* weight)
{
    appendNumber(a);
    m_text.append(u' ');
    appendNumber(b);
    if (weight) {
        m_text.append(u' ');
        for (QChar c : *weight) {
            if (c != kFieldMarker)
                m_text.append(c);
        }
    }
    m_text.append(u'\n');
    ++m_lines;
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
