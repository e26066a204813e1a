// SPDX-License-Identifier: MIT
#include "engine/network/xml_text.h"

#include "engine/io/field_marker.h"

#include <QString>

#include <charconv>

namespace urdiva {

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

void appendNumber(QByteArray& line, qint64 value)
{
    char digits[24];
    line.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
}

void XmlNetworkWriter::appendWeight(QByteArrayView weight)
{
    if (m_weights == WeightKind::Numbers) {
        m_line.append(weight);
        return;
    }
    qsizetype ignored = 0;
    m_line.append(xmlText(QString::fromUtf8(weight), ignored));
}

} // namespace urdiva
