// SPDX-License-Identifier: MIT
#include "engine/io/csv_text.h"

#include <algorithm>

namespace urdiva {

QByteArray csvField(QByteArrayView utf8)
{
    if (std::none_of(utf8.begin(), utf8.end(),
                     [](char c) { return c == ',' || c == '"' || c == '\n' || c == '\r'; }))
        return utf8.toByteArray();
    QByteArray quoted = utf8.toByteArray();
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

namespace {

bool startsAsFormula(QStringView text)
{
    static constexpr QStringView kStarts = u"=+-@\t\r'";
    return !text.isEmpty() && kStarts.contains(text.front());
}

} // namespace

QString toSpreadsheetCell(const QString& text)
{
    return startsAsFormula(text) ? u'\'' + text : text;
}

QString fromSpreadsheetCell(QStringView cell)
{
    if (cell.startsWith(u'\'') && startsAsFormula(cell.sliced(1)))
        return cell.sliced(1).toString();
    return cell.toString();
}

} // namespace urdiva
