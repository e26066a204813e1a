// SPDX-License-Identifier: MIT
#include "engine/report/rtf_text.h"

#include "engine/io/text_decoding.h"

namespace urdiva {

QByteArray rtfDocumentStart()
{
    return QByteArrayLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 "
                             "MS Sans Serif;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs16 ");
}

QByteArray rtfText(QStringView text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    QByteArray out;
    out.reserve(text.size() + 8);
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out.append('\\');
            out.append(char(c));
        } else if (c == u'\t') {
            out.append("\\tab ");
        } else if (c >= 0x20 && c < 0x7F) {
            out.append(char(c));
        } else {
            // \u takes a signed 16-bit number.
            out.append("\\u");
            out.append(QByteArray::number(int(qint16(c))));
            const int fallback = windows1252Byte(c);
            const int byte = fallback >= 0x20 ? fallback : '?';
            out.append("\\'");
            out.append(kHex[byte >> 4]);
            out.append(kHex[byte & 15]);
        }
    }
    return out;
}

} // namespace urdiva
