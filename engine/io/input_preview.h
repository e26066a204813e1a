// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

#include <atomic>

namespace urdiva {

// What the window shows of a data file before any run, read by the run's own rules: its first
// lines, its line count, its columns. Each may take long on a large file: the window calls them
// off its own thread.

// A workbook's sheet is read as its rows' text (see openDataFile); `sheet` is ignored for a text
// file.

// Appends the file's first `count` lines to `lines` as they are read, so that those read before
// a failure (raised as a RunError) are kept.
void readFirstLines(const QString& path, const QString& sheet, int count, QStringList& lines);

// The file's line count; where the count had got to when `stop` was set.
qint64 countLines(const QString& path, const QString& sheet, const std::atomic<bool>& stop);

// The columns of the file's first record, as the run reads it: with quoted fields, a quoted
// name may hold the separator and run over several lines.
struct FirstRecordColumns {
    QStringList names;
    // The separators between the record's fields; zero when the file has a single column.
    qsizetype separators = 0;
};
FirstRecordColumns firstRecordColumns(const QString& path, const QString& sheet, QChar separator,
                                      bool quotedFields);

// How the preview marks a separator among the lines: "<tab>" (for a workbook's cells too), or the
// character between angle brackets.
QString separatorMark(QChar separator);

// Where the column at `index` of `before` is among the columns `after` read another way (with
// and without quoted fields): the same occurrence of the same name, spaces and quotation marks
// around it aside; -1 when it is not there, or when nothing was chosen.
int sameColumn(const QStringList& before, int index, const QStringList& after);

} // namespace urdiva
