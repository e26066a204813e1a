// SPDX-License-Identifier: MIT
#include "engine/io/record_stream.h"

#include "engine/core/hash_map.h"
#include "engine/core/parallel.h"
#include "engine/io/column_names.h"
#include "engine/io/line_reader.h"
#include "engine/io/record_line.h"
#include "engine/io/text_decoding.h"
#include "engine/io/weight_text.h"

#include <algorithm>
#include <utility>

namespace urdiva {
namespace {
// A batch ends after this many records, or once its keys take this many bytes, so that the
// two batches in hand stay small whatever the lines hold.
constexpr size_t kBatchRecords = 8192;
constexpr size_t kBatchBytes = size_t(1) << 20;
// Reading may go this many batches ahead of their processing, so that the two threads do not
// wait for each other's slower batches.
constexpr size_t kBatchesInHand = 3;
} // namespace

RecordStream::RecordStream(std::unique_ptr<LineReader> reader, const ConversionSettings& settings)
    : m_reader(std::move(reader))
    , m_records(*m_reader, settings.separator, settings.quotedFields)
    , m_columns {settings.firstColumn, settings.secondColumn}
    , m_valueColumn(settings.valueColumn)
    , m_attributeColumns(settings.attributeColumns)
    , m_separator(settings.separator)
    , m_headerLines(settings.headerLines)
    , m_quotedFields(settings.quotedFields)
    , m_decimalComma(settings.decimalComma)
    , m_cellSeparator(settings.cellSeparator)
    , m_ends(settings.cooccur ? 1 : 2)
    , m_line(settings.separator, settings.quotedFields)
{
    m_attributeColumns.insert(m_attributeColumns.end(), settings.secondAttributeColumns.begin(),
                              settings.secondAttributeColumns.end());
    if (settings.timeColumn)
        m_attributeColumns.push_back(*settings.timeColumn);
}

void RecordStream::forEachBatch(const std::function<void(std::span<const Record>)>& process)
{
    Batch batches[kBatchesInHand];
    runPipeline(
        kBatchesInHand, [&](size_t k) { return fill(batches[k]); },
        [&](size_t k) {
            if (m_quotedLookingHandedOver == 0)
                m_quotedLookingHandedOver = batches[k].firstQuotedLooking;
            process(batches[k].records);
        });
}

void RecordStream::Batch::clear()
{
    blocks.clear();
    // The first piece is kept for the next batch; later ones were for unusually many copies.
    if (!copies.empty()) {
        copies.resize(1);
        copies.front().clear();
    }
    keptBytes = 0;
    firstQuotedLooking = 0;
    records.clear();
    names.clear();
    nameCounts.clear();
    attributes.clear();
}

QByteArrayView RecordStream::Batch::keep(QByteArrayView kept)
{
    constexpr size_t kPieceBytes = size_t(64) << 10;
    keptBytes += size_t(kept.size());
    if (blocks.back().holds(kept.data()))
        return kept;
    const size_t size = size_t(kept.size());
    // A piece is filled within its capacity, so what it holds never moves.
    if (copies.empty() || copies.back().capacity() - copies.back().size() < size)
        copies.emplace_back().reserve(std::max(kPieceBytes, size));
    std::string& piece = copies.back();
    const char* at = piece.data() + piece.size();
    piece.append(kept.data(), size);
    return QByteArrayView(at, kept.size());
}

void RecordStream::Batch::listNames(size_t attributesPerRecord)
{
    Field* name = names.data();
    const quint32* counts = nameCounts.data();
    const QByteArrayView* attribute = attributes.data();
    for (Record& record : records) {
        if (!nameCounts.empty()) {
            for (std::span<const Field>& list : record.names) {
                list = std::span<const Field>(name, *counts);
                name += *counts++;
            }
        }
        record.attributes = attribute;
        attribute += attributesPerRecord;
    }
}

// Reads up to a batch of records; false once the file has ended. On a failure the records read
// before it stay in the batch.
bool RecordStream::fill(Batch& batch)
{
    batch.clear();
    // Records know where their cells' names and attributes are once all are in.
    const bool listed = m_cellSeparator.has_value() || !m_attributeColumns.empty();
    QByteArrayView raw;
    qint64 number = 0;
    bool more = true;
    try {
        while (batch.records.size() < kBatchRecords && batch.keptBytes < kBatchBytes &&
               (more = m_records.next(raw, number))) {
            if (m_recordLines++ < m_headerLines) {
                if (m_recordLines == 1)
                    keepColumnNames(raw);
                continue;
            }
            if (batch.blocks.empty() || batch.blocks.back().bytes != m_reader->block().bytes)
                batch.blocks.push_back(m_reader->block());
            m_line.assign(raw);
            if (m_line.isRecord())
                addRecord(batch, number);
        }
    } catch (...) {
        if (listed)
            batch.listNames(m_attributeColumns.size());
        throw;
    }
    if (listed)
        batch.listNames(m_attributeColumns.size());
    if (!more) {
        m_notes.ctrlZInside = m_reader->lineOfCtrlZInside();
        m_notes.errorCells = m_reader->errorCells();
        m_notes.allInHeader = m_headerLines > 0 && m_recordLines <= m_headerLines;
    }
    return more;
}

void RecordStream::addRecord(Batch& batch, qint64 number)
{
    ++m_notes.records;
    if (!m_quotedFields && m_notes.firstQuotedLooking == 0 && m_line.looksQuoted())
        m_notes.firstQuotedLooking = batch.firstQuotedLooking = number;
    Record& record = batch.records.emplace_back();
    record.line = number;
    for (int e = 0; e < 2; ++e)
        addEnd(batch, record.ends[e], e);
    if (m_valueColumn && *m_valueColumn >= 0 && *m_valueColumn < m_line.count()) {
        record.weight = batch.keep(weightOf(number));
        // Null stands for a line without the column: an empty weight is not.
        if (record.weight.isNull())
            record.weight = QByteArrayView("", 0);
    }
    for (const qint32 column : m_attributeColumns) {
        QByteArrayView text;
        if (column >= 0 && column < m_line.count()) {
            text = batch.keep(m_line.unmarkedUtf8(column, m_storage));
            if (text.isNull())
                text = QByteArrayView("", 0);
        }
        batch.attributes.push_back(text);
    }
}

void RecordStream::keepColumnNames(QByteArrayView raw)
{
    // As the command line reads them to find columns by name.
    QByteArray storage;
    QString text;
    decodeTextInto(withoutLoneCr(raw, storage), text);
    m_notes.columnNames = columnNames(text, m_separator, m_quotedFields);
}

void RecordStream::addEnd(Batch& batch, Field& field, int end)
{
    const bool cells = m_cellSeparator.has_value();
    if (cells)
        batch.nameCounts.push_back(0);
    const qint32 index = m_columns[end];
    field.present = end < m_ends && index >= 0 && index < m_line.count();
    field.keyIsText = m_line.keyIsText();
    field.hash = 0;
    field.shape = FieldShape::Only;
    if (!field.present)
        return;
    const QByteArrayView key = m_line.key(index);
    field.shape = m_line.shape(index);
    if (!cells) {
        field.hash = keyHash(key, field.keyIsText);
        field.key = batch.keep(key);
        return;
    }
    splitCell(key, field.keyIsText, *m_cellSeparator, m_cellNames, m_cellStorage);
    for (const CellName& name : m_cellNames) {
        batch.names.push_back({batch.keep(name.key), keyHash(name.key, name.keyIsText), field.shape,
                               name.keyIsText, true});
    }
    batch.nameCounts.back() = quint32(m_cellNames.size());
}

QByteArrayView RecordStream::weightOf(qint64 number)
{
    QByteArrayView weight = m_line.unmarkedUtf8(*m_valueColumn, m_storage);
    bool strayPoint = false;
    if (m_decimalComma) {
        const std::optional<QByteArrayView> converted = withDecimalPoint(weight, m_weightStorage);
        strayPoint = !converted;
        weight = converted.value_or(weight);
    }
    if (m_quotedFields && weight.contains('\n')) {
        // The line break of a quoted field would end the edge line: a space instead.
        m_weightStorage = weight.toByteArray().replace('\n', ' ');
        weight = m_weightStorage;
    }
    if (weight.isEmpty()) {
        if (m_notes.firstBlankWeight == 0)
            m_notes.firstBlankWeight = number;
    } else if ((strayPoint || !isNumber(weight)) && m_notes.weightsNotNumbers++ == 0) {
        m_notes.firstWeightNotNumber = number;
        m_notes.firstWeightNotNumberText = weight.toByteArray();
    }
    return weight;
}

qint64 firstQuotedLookingLine(const QString& path, QChar separator, int headerLines)
{
    LineReader reader(path);
    RecordLine line(separator);
    QByteArrayView raw;
    for (qint64 number = 1; reader.readRawLine(raw); ++number) {
        if (number <= headerLines)
            continue;
        line.assign(raw);
        if (line.isRecord() && line.looksQuoted())
            return number;
    }
    return 0;
}

} // namespace urdiva
