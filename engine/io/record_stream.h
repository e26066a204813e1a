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
// separators), with what a pass needs of each: its two end fields, and the weights of all. The
// next batch of lines is read, cut and hashed while the caller processes the current one.
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
    };

    RecordStream(std::unique_ptr<LineReader> reader, const ConversionSettings& settings);

    // Hands every record to `process`, a batch at a time and in order. A failure to read is
    // raised once the records before it have been processed; a failure of `process` is raised
    // as soon as the batch being read meanwhile is in.
    void forEachBatch(const std::function<void(std::span<const Record>)>& process);

    // Afterwards: the value fields of all record lines in UTF-8, without markers, each followed
    // by an LF (which no field holds); empty without a value column.
    std::string takeWeights() { return std::move(m_weights); }
    // Afterwards: whether some record line is too short to have the value column.
    bool lacksWeight() const { return m_lacksWeight; }

private:
    struct Batch {
        struct Span {
            qsizetype begin;
            qsizetype size;
        };
        std::string bytes; // the keys of the records, end to end
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
    std::string m_weights;
    bool m_lacksWeight = false;
};

} // namespace urdiva
