// SPDX-License-Identifier: MIT
#pragma once

#include "engine/names/field_memo.h"

#include <QByteArrayView>
#include <QTemporaryFile>

#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace urdiva {

// What the edge pass needs of every record, kept by the vertex pass so that the input is read
// once: the fields of its two ends and, with a value column, its weight. Records are kept in
// chunks; past `memoryBound` bytes of them, the later chunks go to a temporary file (in the
// system's folder for them, TMPDIR on Unix), so that a run's memory grows with its names, not
// its records.
class RecordLog {
public:
    struct Chunk {
        // First end, second end, per record; or, for records of names (see addNames), the names
        // of the first end and then those of the second end.
        std::vector<FieldMemo::FieldRef> ends;
        // For records of names: how many names each end of each record has.
        std::vector<quint32> counts;
        std::string weights; // each record's weight in UTF-8, followed by an LF (no field has one)
        std::vector<qint32> times; // with a time column, each record's (kNoTime: none)
        size_t records() const { return counts.empty() ? ends.size() / 2 : counts.size() / 2; }
        // The weight that starts at `weight` in `weights`; `weight` moves on to the next one.
        QByteArrayView takeWeight(const char*& weight) const
        {
            const char* end = static_cast<const char*>(
                std::memchr(weight, '\n', size_t(weights.data() + weights.size() - weight)));
            const QByteArrayView text(weight, end);
            weight = end + 1;
            return text;
        }
    };
    static constexpr size_t kChunkRecords = size_t(1) << 16;
    static constexpr size_t kMemoryBound = size_t(32) << 20;

    explicit RecordLog(bool weighted, size_t memoryBound = kMemoryBound);

    // `weight` is null when the record's line (number `line`) is too short to have the value
    // column.
    void add(FieldMemo::FieldRef first, FieldMemo::FieldRef second, QByteArrayView weight,
             qint64 line)
    {
        m_current.ends.push_back(first);
        m_current.ends.push_back(second);
        addWeight(weight, line);
        if (m_current.records() == kChunkRecords)
            store();
    }
    // A record whose ends list several names each (a log holds records of one kind only).
    void addNames(std::span<const FieldMemo::FieldRef> first,
                  std::span<const FieldMemo::FieldRef> second, QByteArrayView weight, qint64 line);
    // The time of the record added last, when the records have times.
    void addTime(qint32 time) { m_current.times.push_back(time); }
    // The number of the first record line without a value column, or 0.
    qint64 firstLackingWeight() const { return m_firstLackingWeight; }
    // Hands every chunk to `use`, in order of the records, and empties the log.
    void drain(const std::function<void(const Chunk&)>& use);
    // The same, keeping the log as it is: a pass before the one that drains it.
    void visit(const std::function<void(const Chunk&)>& use);

private:
    void addWeight(QByteArrayView weight, qint64 line)
    {
        if (!m_weighted)
            return;
        if (weight.isNull() && m_firstLackingWeight == 0)
            m_firstLackingWeight = line;
        m_current.weights.append(weight.data(), size_t(weight.size()));
        m_current.weights.push_back('\n');
    }
    void store();
    // Every chunk to `use`, emptied after it when `empty`.
    void pass(const std::function<void(const Chunk&)>& use, bool empty);

    bool m_weighted;
    size_t m_memoryBound;
    qint64 m_firstLackingWeight = 0;
    Chunk m_current;
    std::vector<Chunk> m_kept; // the chunks before the spilled ones
    size_t m_keptBytes = 0;
    std::unique_ptr<QTemporaryFile> m_spill;
};

} // namespace urdiva
