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

std::optional<QStringList> csvFields(QStringView line)
{
    QStringList fields;
    QString field;
    qsizetype i = 0;
    while (true) {
        field.clear();
        if (i < line.size() && line[i] == u'"') {
            // A quoted field runs to the quotation mark that is not doubled, and ends there.
            for (++i;; ++i) {
                if (i >= line.size())
                    return std::nullopt;
                if (line[i] == u'"') {
                    if (i + 1 < line.size() && line[i + 1] == u'"') {
                        field += u'"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i];
            }
            if (i < line.size() && line[i] != u',')
                return std::nullopt;
        } else {
            while (i < line.size() && line[i] != u',') {
                if (line[i] == u'"')
                    return std::nullopt;
                field += line[i++];
            }
        }
        fields << field;
        if (i >= line.size())
            return fields;
        ++i; // the comma
    }
}

} // namespace urdiva
