#include "record_stream.h"

#include "field_memo.h"
#include "line_reader.h"
#include "record_line.h"

#include <system_error>
#include <utility>

namespace urdiva {
namespace {
// A batch ends after this many records, or once its keys take this many bytes, so that the
// batches in flight stay small whatever the lines hold.
constexpr size_t kBatchRecords = 4096;
constexpr size_t kBatchBytes = size_t(1) << 20;
constexpr int kBatches = 4;
} // namespace

RecordStream::RecordStream(std::unique_ptr<LineReader> reader, const ConversionSettings& settings)
    : m_reader(std::move(reader))
    , m_columns {settings.firstColumn, settings.secondColumn}
    , m_valueColumn(settings.valueColumn)
    , m_separator(settings.separator)
    , m_headerLines(settings.headerLines)
    , m_line(settings.separator)
{
    for (int i = 0; i < kBatches; ++i)
        m_free.push_back(std::make_unique<Batch>());
    try {
        m_thread = std::thread([this] { read(); });
    } catch (const std::system_error&) {
        // next() reads on the caller's thread.
    }
}

RecordStream::~RecordStream()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

std::span<const RecordStream::Record> RecordStream::next()
{
    if (!m_thread.joinable())
        return readHere();
    std::unique_lock lock(m_mutex);
    if (m_current) {
        m_free.push_back(std::move(m_current));
        m_changed.notify_all();
    }
    m_changed.wait(lock, [this] { return !m_ready.empty() || m_finished; });
    if (!m_ready.empty()) {
        m_current = std::move(m_ready.front());
        m_ready.erase(m_ready.begin());
        return m_current->records;
    }
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
    return {};
}

// next() without a reading thread: the same batches, the same order of records and failure.
std::span<const RecordStream::Record> RecordStream::readHere()
{
    if (!m_current) {
        m_current = std::move(m_free.back());
        m_free.pop_back();
    }
    m_current->records.clear();
    while (m_current->records.empty() && !m_finished) {
        try {
            m_finished = !fill(*m_current);
        } catch (...) {
            m_failure = std::current_exception();
            m_finished = true;
        }
    }
    if (m_current->records.empty() && m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
    return m_current->records;
}

void RecordStream::read()
{
    for (bool more = true; more;) {
        std::unique_ptr<Batch> batch;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_free.empty() || m_stop; });
            if (m_stop)
                return;
            batch = std::move(m_free.back());
            m_free.pop_back();
        }
        std::exception_ptr failure;
        try {
            more = fill(*batch);
        } catch (...) {
            failure = std::current_exception();
            more = false;
        }
        {
            const std::lock_guard lock(m_mutex);
            if (batch->records.empty())
                m_free.push_back(std::move(batch));
            else
                m_ready.push_back(std::move(batch));
            m_failure = failure;
            m_finished = !more;
        }
        m_changed.notify_all();
    }
}

// Reads up to a batch of records; false once the file has ended. On a failure the records read
// before it stay in the batch.
bool RecordStream::fill(Batch& batch)
{
    batch.bytes.clear();
    batch.records.clear();
    // Offsets into bytes while it grows; turned into views once it is complete.
    std::vector<Batch::Span>& spans = batch.spans;
    spans.clear();
    const auto keep = [&batch, &spans](QByteArrayView bytes) {
        spans.push_back({qsizetype(batch.bytes.size()), bytes.size()});
        batch.bytes.append(bytes.data(), size_t(bytes.size()));
    };
    const auto finish = [&batch, &spans] {
        size_t k = 0;
        const auto view = [&] {
            const Batch::Span span = spans[k++];
            return QByteArrayView(batch.bytes.data() + span.begin, span.size);
        };
        for (Record& record : batch.records) {
            for (Field& field : record.ends) {
                if (field.present)
                    field.key = view();
            }
        }
    };

    RecordLine& line = m_line;
    QByteArray& storage = m_storage;
    QByteArrayView raw;
    bool more = true;
    try {
        while (batch.records.size() < kBatchRecords && batch.bytes.size() < kBatchBytes &&
               (more = m_reader->readRawLine(raw))) {
            if (m_lineCounter++ < m_headerLines)
                continue;
            line.assign(raw);
            if (!line.isRecord())
                continue;
            Record& record = batch.records.emplace_back();
            for (int e = 0; e < 2; ++e) {
                Field& field = record.ends[e];
                const qint32 index = m_columns[e];
                field.present = index >= 0 && index < line.count();
                field.keyIsText = line.keyIsText();
                if (!field.present) {
                    field.hash = 0;
                    field.shape = FieldShape::Only;
                    continue;
                }
                const QByteArrayView key = line.key(index);
                field.hash = FieldMemo::hashOf(key, field.keyIsText);
                field.shape = line.shape(index);
                keep(key);
            }
            if (!m_valueColumn)
                continue;
            if (*m_valueColumn >= 0 && *m_valueColumn < line.count()) {
                const QByteArrayView weight = line.unmarkedUtf8(*m_valueColumn, storage);
                m_weights.append(weight.data(), size_t(weight.size()));
                m_weights.push_back('\n');
            } else {
                m_lacksWeight = true;
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return more;
}

} // namespace urdiva
