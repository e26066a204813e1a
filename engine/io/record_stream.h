// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/io/cell_names.h"
#include "engine/io/field_marker.h"
#include "engine/io/line_reader.h"
#include "engine/io/record_line.h"
#include "engine/io/record_reader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace urdiva {

// The record lines of a data file (the lines past the header lines that hold something besides
// separators), with what a pass needs of each: its two end fields and its weight. The next
// batches of lines are read, cut and hashed, a few ahead, while the caller processes the current
// one.
class RecordStream {
public:
    struct Field {
        QByteArrayView key; // see RecordLine::key
        size_t hash; // keyHash(key, keyIsText)
        FieldShape shape;
        bool keyIsText;
        bool present; // false when the line is too short to have the field
    };
    struct Record {
        qint64 line; // the number of the record's (first) line in the file, from 1
        Field ends[2]; // first end, second end (with cooccur, the first end alone)
        // With a cell separator: the names each end's cell lists (see splitCell), as fields
        // in the shape of their cell.
        std::span<const Field> names[2];
        // With a value column: the weight's UTF-8 text, without markers (and with a decimal
        // point, when so set); null when the line is too short to have the column.
        QByteArrayView weight;
        // The attribute columns' UTF-8 texts, without markers: the first column's vertex's, then
        // the second's, then the time column's (see ConversionSettings); null where the line is
        // too short. A pointer, not
        // a span: a million records are read through, and each byte of one counts.
        const QByteArrayView* attributes;
    };
    // What the reading noticed, for the run's summary. Lines are numbered from 1; 0 is none.
    struct Notes {
        qint64 records = 0;
        qint64 weightsNotNumbers = 0; // besides blank ones
        qint64 firstWeightNotNumber = 0;
        QByteArray firstWeightNotNumberText;
        qint64 firstBlankWeight = 0;
        qint64 firstQuotedLooking = 0; // a line that looks quoted, where quotes are not read
        qint64 ctrlZInside = 0; // see LineReader::lineOfCtrlZInside
        qint64 errorCells = 0; // see LineReader::errorCells
        bool allInHeader = false; // header lines were to be ignored, and the file had no more
        QStringList columnNames; // of the first header line, when there are header lines
    };

    RecordStream(std::unique_ptr<LineReader> reader, const ConversionSettings& settings);

    // Hands every record to `process`, a batch at a time and in order. A failure to read is
    // raised once the records before it have been processed; a failure of `process` is raised
    // as soon as the batch being read meanwhile is in.
    void forEachBatch(const std::function<void(std::span<const Record>)>& process);
    // Afterwards: see Notes. The reading thread writes them meanwhile.
    const Notes& notes() const { return m_notes; }
    // On the way, from `process`: the first line that looked quoted (see Notes) among the records
    // handed over so far; 0 when there is none.
    qint64 firstQuotedLookingSoFar() const { return m_quotedLookingHandedOver; }

private:
    // The keys and weights of a batch are mostly the file's own bytes, which the batch keeps
    // valid by holding the reader's blocks they are in; the others (decoded, unquoted, or
    // otherwise changed from the file's bytes) are copied into pieces that never move.
    struct Batch {
        std::vector<LineReader::Block> blocks;
        std::vector<std::string> copies;
        size_t keptBytes = 0; // of the keys and weights, wherever they are
        qint64 firstQuotedLooking = 0; // when the file's first one is in this batch
        std::vector<Record> records;
        std::vector<Field> names; // of the records' cells, in order
        std::vector<quint32> nameCounts; // per end of each record, with a cell separator
        std::vector<QByteArrayView> attributes; // of the records, in order

        void clear();
        // The bytes, valid while the batch is.
        QByteArrayView keep(QByteArrayView bytes);
        // Gives each record its cells' names and its attributes, once they are all in.
        void listNames(size_t attributesPerRecord);
    };

    bool fill(Batch& batch);
    // The record in m_line, whose first line is `number`.
    void addRecord(Batch& batch, qint64 number);
    void addEnd(Batch& batch, Field& field, int end);
    // The names of the columns, from the first header line.
    void keepColumnNames(QByteArrayView raw);
    // The record's weight as it is kept, noting what it is.
    QByteArrayView weightOf(qint64 number);

    std::unique_ptr<LineReader> m_reader;
    RecordReader m_records;
    const qint32 m_columns[2];
    const std::optional<qint32> m_valueColumn;
    std::vector<qint32> m_attributeColumns; // the first column's vertex's, then the second's
    const QChar m_separator;
    const int m_headerLines;
    const bool m_quotedFields;
    const bool m_decimalComma;
    const std::optional<QChar> m_cellSeparator;
    const int m_ends; // how many end columns a record has: 1 with cooccur, else 2
    // Used by the reading alone, which is never on two threads at once.
    RecordLine m_line;
    QByteArray m_storage;
    QByteArray m_weightStorage;
    std::vector<CellName> m_cellNames;
    QString m_cellStorage;
    qint64 m_recordLines =
        0; // the records seen (lines, but for quoted line breaks), headers included
    Notes m_notes;
    // Used by the processing alone.
    qint64 m_quotedLookingHandedOver = 0;
};

// The number of the first record line after the header that, in a file read without quoted
// fields, looks as if it had some (see RecordLine::looksQuoted): the line a run would warn about;
// 0 when there is none.
qint64 firstQuotedLookingLine(const QString& path, QChar separator, int headerLines);

} // namespace urdiva
