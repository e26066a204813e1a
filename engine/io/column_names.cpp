#include "engine/io/column_names.h"

namespace urdiva {

QStringList columnNames(QStringView firstLine, QChar separator)
{
    QStringList names;
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
