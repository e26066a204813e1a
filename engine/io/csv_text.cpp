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

} // namespace urdiva
