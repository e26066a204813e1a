// SPDX-License-Identifier: MIT
#include "engine/io/line_reader.h"

#include "engine/core/run_error.h"
#include "engine/io/file_errors.h"
#include "engine/io/native_file.h"
#include "engine/io/text_decoding.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace urdiva {
namespace {

constexpr size_t kBlockSize = size_t(1) << 20;
constexpr char kCtrlZ = 26;

[[noreturn]] void failWith(int errorNumber, const QString& path)
{
    throw RunError(inputFileErrorText(errorNumber, path), path);
}

LineReader::Block newBlock(size_t size)
{
    return {std::make_shared_for_overwrite<char[]>(size), size};
}

} // namespace

LineReader::LineReader(const QString& path)
    : m_path(path)
    , m_block(newBlock(kBlockSize))
{
    m_fd = native::openToRead(path);
    if (m_fd < 0)
        failWith(errno, path);
    if (native::isDirectory(m_fd)) {
        native::closeFile(m_fd);
        m_fd = -1;
        failWith(EISDIR, path);
    }
}

LineReader::LineReader(int fd, const QString& name)
    : m_path(name)
    , m_fd(fd)
    , m_block(newBlock(kBlockSize))
{
    native::useBinaryMode(fd);
}

LineReader::~LineReader()
{
    if (m_fd >= 0)
        native::closeFile(m_fd);
}

bool LineReader::fillMore()
{
    if (m_eof)
        return false;
    const size_t keep = m_mark ? *m_mark : m_pos;
    const bool held = m_block.bytes.use_count() > 1;
    // The bytes from `keep` on go to the block's start, or, where that would move lines still
    // held, to a new block; a line longer than the block gets one twice as long.
    if (m_end == m_block.size || (keep > 0 && !held)) {
        const size_t kept = m_end - keep;
        if (held || kept == m_block.size) {
            const size_t size = std::max(kBlockSize, 2 * kept);
            const auto free = std::find_if(m_retired.begin(), m_retired.end(), [&](const Block& b) {
                return b.bytes.use_count() == 1 && b.size >= size;
            });
            Block fresh = free == m_retired.end() ? newBlock(size) : std::move(*free);
            if (free != m_retired.end())
                m_retired.erase(free);
            std::memcpy(fresh.bytes.get(), m_block.bytes.get() + keep, kept);
            if (held)
                m_retired.push_back(std::move(m_block));
            m_block = std::move(fresh);
        } else {
            std::memmove(m_block.bytes.get(), m_block.bytes.get() + keep, kept);
        }
        m_end = kept;
        m_pos -= keep;
        if (m_mark)
            m_mark = 0;
    }
    long long got = native::readSome(m_fd, m_block.bytes.get() + m_end, m_block.size - m_end);
    if (got < 0)
        failWith(errno, m_path);
    if (got == 0) {
        m_eof = true;
        return false;
    }
    char* fresh = m_block.bytes.get() + m_end;
    if (const void* stop = std::memchr(fresh, kCtrlZ, size_t(got))) {
        got = static_cast<const char*>(stop) - fresh;
        m_eof = true;
    }
    m_end += size_t(got);
    return true;
}

QByteArrayView LineReader::lineAt(size_t begin, size_t end) const
{
    if (end > begin && m_block.bytes[end - 1] == '\r')
        --end; // the CR of a CR LF, or a CR ending the file
    return QByteArrayView(m_block.bytes.get() + begin, qsizetype(end - begin));
}

void LineReader::skipByteOrderMark()
{
    if (!m_atStart)
        return;
    m_atStart = false;
    while (m_end < 3 && fillMore()) { }
    if (m_end >= 3 && std::memcmp(m_block.bytes.get(), "\xEF\xBB\xBF", 3) == 0)
        m_pos = 3;
}

bool LineReader::readRawLine(QByteArrayView& bytes)
{
    skipByteOrderMark();
    size_t scanned = 0; // bytes after m_pos known to hold no LF
    for (;;) {
        const char* base = m_block.bytes.get();
        const size_t from = m_pos + scanned;
        if (const void* lf = std::memchr(base + from, '\n', m_end - from)) {
            const size_t lineEnd = static_cast<size_t>(static_cast<const char*>(lf) - base);
            bytes = lineAt(m_pos, lineEnd);
            m_pos = lineEnd + 1;
            return true;
        }
        scanned = m_end - m_pos;
        if (!fillMore()) {
            if (m_end == m_pos)
                return false;
            bytes = lineAt(m_pos, m_end);
            m_pos = m_end;
            return true;
        }
    }
}

bool LineReader::readLine(QString& line)
{
    QByteArrayView bytes;
    if (!readRawLine(bytes))
        return false;
    QByteArray storage;
    decodeTextInto(withoutLoneCr(bytes, storage), line);
    return true;
}

const QString& LineReader::name() const
{
    return m_path;
}

void LineReader::mark()
{
    skipByteOrderMark();
    m_mark = m_pos;
}

void LineReader::rewind()
{
    m_pos = *m_mark;
    m_mark.reset();
}

QByteArrayView withoutLoneCr(QByteArrayView line, QByteArray& storage)
{
    if (line.isEmpty() || !std::memchr(line.data(), '\r', size_t(line.size())))
        return line;
    storage = line.toByteArray();
    storage.removeIf([](char c) { return c == '\r'; });
    return storage;
}

QString readFirstLine(const QString& path)
{
    LineReader reader(path);
    QString line;
    reader.readLine(line);
    return line;
}

} // namespace urdiva
