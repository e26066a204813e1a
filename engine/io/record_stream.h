#pragma once

#include "engine/io/field_marker.h"
#include "engine/io/record_line.h"
#include "engine/run/conversion_settings.h"

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace urdiva {

class LineReader;

// The record lines of a data file (the lines past the header lines that hold something besides
// separators), with what a pass needs of each: its two end fields and its weight. The next batch
// of lines is read, cut and hashed while the caller processes the current one.
class RecordStream {
public:
    struct Field {
        QByteArrayView key; // see RecordLine::key
        size_t hash; // FieldMemo::hashOf(key, keyIsText)
        FieldShape shape;
        bool keyIsText;
        bool present; // false when the line is too short to have the field
    };
    struct Record {
        Field ends[2]; // first end, second end
        // With a value column: the weight's UTF-8 text, without markers; null when the line is
        // too short to have the column.
        QByteArrayView weight;
    };

    RecordStream(std::unique_ptr<LineReader> reader, const ConversionSettings& settings);

    // Hands every record to `process`, a batch at a time and in order. A failure to read is
    // raised once the records before it have been processed; a failure of `process` is raised
    // as soon as the batch being read meanwhile is in.
    void forEachBatch(const std::function<void(std::span<const Record>)>& process);

private:
    struct Batch {
        struct Span {
            qsizetype begin;
            qsizetype size;
        };
        std::string bytes; // the keys and weights of the records, end to end
        std::vector<Span> spans; // where they are, while bytes grows
        std::vector<Record> records;
    };

    bool fill(Batch& batch);

    std::unique_ptr<LineReader> m_reader;
    const qint32 m_columns[2];
    const std::optional<qint32> m_valueColumn;
    const QChar m_separator;
    const int m_headerLines;
    // Used by the reading alone, which is never on two threads at once.
    RecordLine m_line;
    QByteArray m_storage;
    qint64 m_lineCounter = 0;
};

} // namespace urdiva
