// SPDX-License-Identifier: MIT
#include "engine/io/line_reader.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"
#include "engine/io/file_errors.h"
#include "engine/io/native_file.h"
#include "engine/io/text_decoding.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

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

LineReader::LineReader(std::unique_ptr<ByteSource> source, const QString& name)
    : m_path(name)
    , m_source(std::move(source))
    , m_block(newBlock(kBlockSize))
{
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
    // Room enough for a piece of UTF-16 and what its converter holds back.
    constexpr size_t kLeastRoom = 4 * Utf16Transcoder::kMostHeld;
    const size_t keep = m_mark ? *m_mark : m_pos;
    const bool held = m_block.bytes.use_count() > 1;
    // The bytes from `keep` on go to the block's start, or, where that would move lines still
    // held, to a new block; a line longer than the block gets one twice as long.
    if (m_block.size - m_end < kLeastRoom || (keep > 0 && !held)) {
        const size_t kept = m_end - keep;
        if (held || m_block.size - kept < kLeastRoom) {
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
        m_pendingCtrlZAt -= std::min(m_pendingCtrlZAt, keep);
        if (m_mark)
            m_mark = 0;
    }
    char* fresh = m_block.bytes.get() + m_end;
    size_t got = readInto(fresh, m_block.size - m_end);
    if (got == 0) {
        m_eof = true;
        return false;
    }
    dropCtrlZ(fresh, got);
    m_end += got;
    return true;
}

size_t LineReader::readInto(char* to, size_t room)
{
    if (!m_encodingKnown)
        return readStart(to, room);
    if (!m_utf16) {
        return readSome(to, room);
    }
    // Two bytes of UTF-16 make at most three of UTF-8.
    const size_t most = std::min(kBlockSize, (room - Utf16Transcoder::kMostHeld) / 3 * 2);
    if (!m_utf16Bytes)
        m_utf16Bytes = std::make_unique_for_overwrite<char[]>(kBlockSize);
    for (;;) {
        const size_t got = readSome(m_utf16Bytes.get(), most);
        if (got == 0)
            return m_utf16->finish(to);
        if (const size_t made = m_utf16->convert(m_utf16Bytes.get(), got, to))
            return made;
    }
}

size_t LineReader::readSome(char* to, size_t room)
{
    if (m_source)
        return m_source->read(to, room);
    const long long got = native::readSome(m_fd, to, room);
    if (got < 0)
        failWith(errno, m_path);
    return size_t(got);
}

size_t LineReader::readStart(char* to, size_t room)
{
    // A few kilobytes tell the encoding; they are few enough to be converted within the room.
    constexpr size_t kStart = 4096;
    const size_t want = std::min(room / 2, kStart);
    size_t got = 0;
    while (got < want) {
        const size_t more = readSome(to + got, want - got);
        if (more == 0)
            break;
        got += more;
    }
    m_encodingKnown = true;
    const QByteArrayView start(to, qsizetype(got));
    const bool littleEndian = start.startsWith("\xFF\xFE");
    if (littleEndian || start.startsWith("\xFE\xFF")) {
        m_utf16.emplace(!littleEndian);
        const std::string bytes(to + 2, got - 2);
        const size_t made = m_utf16->convert(bytes.data(), bytes.size(), to);
        return made != 0 ? made : readInto(to, room);
    }
    if (looksLikeUtf16(start))
        throw RunError(messages::utf16WithoutMark(), m_path);
    return got;
}

void LineReader::dropCtrlZ(char* fresh, size_t& size)
{
    char* const end = fresh + size;
    char* from = m_pendingCtrlZ != 0 ? fresh : static_cast<char*>(std::memchr(fresh, kCtrlZ, size));
    if (from == nullptr)
        return;
    char* out = from;
    for (const char* p = from; p < end; ++p) {
        const char c = *p;
        if (c == kCtrlZ) {
            if (m_pendingCtrlZ == 0) {
                m_pendingCtrlZ = lineOf(out);
                m_pendingCtrlZAt = size_t(out - m_block.bytes.get());
            }
            continue;
        }
        if (m_pendingCtrlZ != 0 && c != '\r' && c != '\n') {
            if (m_ctrlZInside == 0)
                m_ctrlZInside = m_pendingCtrlZ;
            m_pendingCtrlZ = 0;
        }
        *out++ = c;
    }
    size = size_t(out - fresh);
}

qint64 LineReader::lineOf(const char* at) const
{
    const char* from = m_block.bytes.get() + m_pos;
    return m_linesBefore + 1 + std::count(from, at, '\n');
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
    // Only line breaks have followed a Ctrl-Z so far: whether it ends the file depends on what
    // comes next (a long run of empty lines is handed out as it is).
    while (m_pendingCtrlZ != 0 && m_pos >= m_pendingCtrlZAt && m_end - m_pos < kBlockSize &&
           fillMore()) { }
    if (m_pendingCtrlZ != 0 && m_pos >= m_pendingCtrlZAt && m_eof)
        return false;
    size_t scanned = 0; // bytes after m_pos known to hold no LF
    for (;;) {
        const char* base = m_block.bytes.get();
        const size_t from = m_pos + scanned;
        if (const void* lf = std::memchr(base + from, '\n', m_end - from)) {
            const size_t lineEnd = static_cast<size_t>(static_cast<const char*>(lf) - base);
            bytes = lineAt(m_pos, lineEnd);
            m_pos = lineEnd + 1;
            ++m_linesBefore;
            return true;
        }
        scanned = m_end - m_pos;
        if (scanned > kLongestLine)
            throw RunError(messages::lineTooLong(m_linesBefore + 1),
                           recordContext(m_path, m_linesBefore + 1));
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
    m_linesBeforeMark = m_linesBefore;
}

void LineReader::rewind()
{
    m_pos = *m_mark;
    m_mark.reset();
    m_linesBefore = m_linesBeforeMark;
}

QByteArrayView withoutLoneCr(QByteArrayView line, QByteArray& storage)
{
    if (line.isEmpty() || !std::memchr(line.data(), '\r', size_t(line.size())))
        return line;
    storage = line.toByteArray();
    storage.removeIf([](char c) { return c == '\r'; });
    return storage;
}

} // namespace urdiva
