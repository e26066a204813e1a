// SPDX-License-Identifier: MIT
#include "engine/io/column_names.h"

#include "engine/io/field_marker.h"
#include "engine/io/record_fields.h"

namespace urdiva {

QStringList columnNames(QStringView firstLine, QChar separator, bool quotedFields)
{
    QStringList names;
    if (quotedFields) {
        RecordFields fields;
        QString texts;
        fields.splitQuoted(firstLine, separator, texts);
        for (qsizetype i = 0; i < fields.count(); ++i)
            names.append(fields.value(i).toString());
        return names;
    }
    qsizetype begin = 0;
    for (qsizetype i = 0; i < firstLine.size(); ++i) {
        if (firstLine[i] == separator) {
            names.append(firstLine.sliced(begin, i - begin).toString());
            begin = i + 1;
        }
    }
    if (begin < firstLine.size())
        names.append(firstLine.sliced(begin).toString());
    return names;
}

} // namespace urdiva
