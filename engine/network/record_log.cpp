// SPDX-License-Identifier: MIT
#include "engine/network/record_log.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"

#include <QDir>
#include <QFileInfo>

namespace urdiva {
namespace {

[[noreturn]] void failToSave()
{
    throw RunError(messages::failedToSaveStream());
}

void writeAll(QFile& file, const void* data, size_t bytes)
{
    if (file.write(static_cast<const char*>(data), qint64(bytes)) != qint64(bytes))
        failToSave();
}

void readAll(QFile& file, void* data, size_t bytes)
{
    if (file.read(static_cast<char*>(data), qint64(bytes)) != qint64(bytes))
        failToSave();
}

} // namespace

RecordLog::RecordLog(bool weighted, size_t memoryBound)
    : m_weighted(weighted)
    , m_memoryBound(memoryBound)
{
    m_current.ends.reserve(2 * kChunkRecords);
}

void RecordLog::addNames(std::span<const FieldMemo::FieldRef> first,
                         std::span<const FieldMemo::FieldRef> second, QByteArrayView weight,
                         qint64 line)
{
    m_current.ends.insert(m_current.ends.end(), first.begin(), first.end());
    m_current.ends.insert(m_current.ends.end(), second.begin(), second.end());
    m_current.counts.push_back(quint32(first.size()));
    m_current.counts.push_back(quint32(second.size()));
    addWeight(weight, line);
    if (m_current.records() == kChunkRecords || m_current.ends.size() >= 2 * kChunkRecords)
        store();
}

void RecordLog::store()
{
    const size_t bytes =
        (m_current.ends.size() + m_current.counts.size() + m_current.times.size()) *
            sizeof(quint32) +
        m_current.weights.size();
    if (!m_spill && m_keptBytes + bytes <= m_memoryBound) {
        m_keptBytes += bytes;
        m_kept.push_back(std::move(m_current));
    } else {
        if (!m_spill) {
            // A TMPDIR that names no folder would otherwise put the file in the root folder.
            const QString folder = QDir::tempPath();
            if (!QFileInfo(folder).isDir())
                throw RunError(
                    QStringLiteral("A pasta de arquivos temporários \"%1\" (TMPDIR) "
                                   "não existe.")
                        .arg(QDir::toNativeSeparators(qEnvironmentVariable("TMPDIR", folder))));
            m_spill = std::make_unique<QTemporaryFile>(folder + QStringLiteral("/urdiva-XXXXXX"));
            if (!m_spill->open())
                throw RunError(QStringLiteral("Cannot create file \"%1\". %2")
                                   .arg(QDir::toNativeSeparators(m_spill->fileTemplate()),
                                        m_spill->errorString()));
        }
        const quint64 sizes[4] = {m_current.ends.size(), m_current.counts.size(),
                                  m_current.weights.size(), m_current.times.size()};
        writeAll(*m_spill, sizes, sizeof sizes);
        writeAll(*m_spill, m_current.ends.data(), sizes[0] * sizeof(FieldMemo::FieldRef));
        writeAll(*m_spill, m_current.counts.data(), sizes[1] * sizeof(quint32));
        writeAll(*m_spill, m_current.weights.data(), sizes[2]);
        writeAll(*m_spill, m_current.times.data(), sizes[3] * sizeof(qint32));
    }
    m_current = Chunk();
    m_current.ends.reserve(2 * kChunkRecords);
}

void RecordLog::drain(const std::function<void(const Chunk&)>& use)
{
    pass(use, true);
}

void RecordLog::visit(const std::function<void(const Chunk&)>& use)
{
    pass(use, false);
}

void RecordLog::pass(const std::function<void(const Chunk&)>& use, bool empty)
{
    for (Chunk& chunk : m_kept) {
        use(chunk);
        if (empty)
            chunk = Chunk();
    }
    if (empty)
        m_kept.clear();
    if (m_spill) {
        if (!m_spill->flush() || !m_spill->seek(0))
            failToSave();
        Chunk chunk;
        while (!m_spill->atEnd()) {
            quint64 sizes[4];
            readAll(*m_spill, sizes, sizeof sizes);
            chunk.ends.resize(sizes[0]);
            chunk.counts.resize(sizes[1]);
            chunk.weights.resize(sizes[2]);
            chunk.times.resize(sizes[3]);
            readAll(*m_spill, chunk.ends.data(), sizes[0] * sizeof(FieldMemo::FieldRef));
            readAll(*m_spill, chunk.counts.data(), sizes[1] * sizeof(quint32));
            readAll(*m_spill, chunk.weights.data(), sizes[2]);
            readAll(*m_spill, chunk.times.data(), sizes[3] * sizeof(qint32));
            use(chunk);
        }
        if (empty)
            m_spill.reset();
    }
    use(m_current);
    if (empty)
        m_current = Chunk();
}

} // namespace urdiva
