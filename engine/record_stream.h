#pragma once

#include "conversion_settings.h"
#include "field_marker.h"
#include "record_line.h"

#include <QByteArray>
#include <QByteArrayView>

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace urdiva {

class LineReader;

// The record lines of a data file (the lines past the header lines that hold something besides
// separators), with what a pass needs of each: its two end fields, and the weights of all. A
// thread of its own reads, cuts and hashes the lines ahead of the caller, a batch at a time;
// when no thread can be had (a limit on processes, say), the caller's thread does it in next().
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
    ~RecordStream();
    RecordStream(const RecordStream&) = delete;
    RecordStream& operator=(const RecordStream&) = delete;

    // The next records, valid until the next call; none at the end of the file. A failure to
    // read is raised here, once the records before it have been handed out.
    std::span<const Record> next();

    // Once next() has handed out every record: the value fields of all record lines in UTF-8,
    // without markers, each followed by an LF (which no field holds); empty without a value
    // column.
    std::string takeWeights() { return std::move(m_weights); }
    // Once next() has handed out every record: whether some record line is too short to have
    // the value column.
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

    void read();
    std::span<const Record> readHere();
    bool fill(Batch& batch);

    std::unique_ptr<LineReader> m_reader;
    const qint32 m_columns[2];
    const std::optional<qint32> m_valueColumn;
    const QChar m_separator;
    const int m_headerLines;
    // Used by the reading thread alone.
    RecordLine m_line;
    QByteArray m_storage;
    qint64 m_lineCounter = 0;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::unique_ptr<Batch>> m_free;
    std::vector<std::unique_ptr<Batch>> m_ready; // oldest first
    std::unique_ptr<Batch> m_current;
    bool m_stop = false;
    bool m_finished = false;
    std::exception_ptr m_failure;
    // Written by the reading thread until it has finished.
    std::string m_weights;
    bool m_lacksWeight = false;
    std::thread m_thread;
};

} // namespace urdiva
