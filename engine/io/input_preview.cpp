// SPDX-License-Identifier: MIT
#include "input_preview.h"

#include "column_names.h"
#include "data_file.h"
#include "line_reader.h"
#include "record_reader.h"
#include "workbook.h"

#include <algorithm>

namespace urdiva {
namespace {

// A column's name without the spaces and quotation marks around it: the same column read with
// and without quoted fields ("Autor" and Autor).
QString bareName(const QString& name)
{
    QStringView bare = QStringView(name).trimmed();
    while (bare.startsWith(u'"'))
        bare = bare.sliced(1);
    while (bare.endsWith(u'"'))
        bare.chop(1);
    return bare.trimmed().toString();
}

} // namespace

void readFirstLines(const QString& path, const QString& sheet, int count, QStringList& lines)
{
    const std::unique_ptr<LineReader> reader = openDataFile(path, sheet);
    QString line;
    while (lines.size() < count && reader->readLine(line))
        lines << line;
}

qint64 countLines(const QString& path, const QString& sheet, const std::atomic<bool>& stop)
{
    const std::unique_ptr<LineReader> reader = openDataFile(path, sheet);
    QByteArrayView line;
    qint64 count = 0;
    while (!stop.load(std::memory_order_relaxed) && reader->readRawLine(line))
        ++count;
    return count;
}

FirstRecordColumns firstRecordColumns(const QString& path, const QString& sheet, QChar separator,
                                      bool quotedFields)
{
    FirstRecordColumns columns;
    const std::unique_ptr<LineReader> reader = openDataFile(path, sheet);
    if (quotedFields) {
        columns.names = columnNames(peekRecord(*reader, separator, true), separator, true);
        columns.separators = std::max<qsizetype>(0, columns.names.size() - 1);
    } else {
        QString firstLine;
        reader->readLine(firstLine);
        columns.names = columnNames(firstLine, separator);
        columns.separators = firstLine.count(separator);
    }
    return columns;
}

QString separatorMark(QChar separator)
{
    return separator == u'\t' || separator == kSheetSeparator ? QStringLiteral("<tab>")
                                                              : u'<' + QString(separator) + u'>';
}

int sameColumn(const QStringList& before, int index, const QStringList& after)
{
    if (index < 0 || index >= before.size())
        return -1;
    const QString name = bareName(before[index]);
    qsizetype occurrence =
        std::count_if(before.begin(), before.begin() + index,
                      [&](const QString& other) { return bareName(other) == name; });
    for (qsizetype k = 0; k < after.size(); ++k) {
        if (bareName(after[k]) == name && occurrence-- == 0)
            return int(k);
    }
    return -1;
}

} // namespace urdiva
