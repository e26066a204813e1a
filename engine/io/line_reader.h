// SPDX-License-Identifier: MIT
#pragma once

#include "engine/io/byte_source.h"
#include "engine/io/text_decoding.h"

#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace urdiva {

// Reads a data file line by line, in large blocks. A line ends at LF or CR LF; a lone CR is
// dropped; a CR as the file's last byte ends the last line; a break at the very end adds no
// empty line; a UTF-8 byte-order mark at the start is skipped. A file that starts with a UTF-16
// byte-order mark (little- or big-endian) is read as UTF-8 converted from it; one whose first
// bytes look like UTF-16 without a mark is refused. Byte 26 (Ctrl-Z) is dropped: followed by
// nothing but line breaks and more of them it ends the file, as DOS ended text files; followed
// by more text it is noted (see lineOfCtrlZInside). A line longer than kLongestLine stops the
// reading. Lines are decoded with decodeText(). Failures raise RunError with the data-file error
// texts.
class LineReader {
public:
    explicit LineReader(const QString& path);
    // Reads what is already open at `fd` (standard input, say), and closes it when done; `name`
    // is what read errors speak of.
    LineReader(int fd, const QString& name);
    // Reads the bytes a source makes; `name` is what read errors speak of.
    LineReader(std::unique_ptr<ByteSource> source, const QString& name);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line into `line`; false at the end of the file.
    bool readLine(QString& line);
    // What is read after mark() is read again after rewind(), however many lines it was: so the
    // column names of a file that can be read only once (a pipe) come from the same reading as
    // its records (see peekRecord).
    void mark();
    void rewind();
    // The next line's bytes, without its line break but with any lone CR in it; valid until
    // the next call, or for as long as a copy of block() is held. False at the end of the file.
    // See withoutLoneCr().
    bool readRawLine(QByteArrayView& bytes);

    // The file's bytes as read into memory. The lines readRawLine() gives are views of the
    // reader's current block; while a copy of it is held, the reader never moves nor reuses its
    // bytes, so the lines stay valid however much more is read (reading goes on into a new
    // block once this one is full).
    struct Block {
        std::shared_ptr<char[]> bytes;
        size_t size = 0;
        bool holds(const char* p) const { return p >= bytes.get() && p < bytes.get() + size; }
    };
    const Block& block() const { return m_block; }
    // The path, or the name given for what was already open.
    const QString& name() const;
    // The line of the first Ctrl-Z read so far that more text follows (it did not end the
    // file); 0 when there is none.
    qint64 lineOfCtrlZInside() const { return m_ctrlZInside; }
    // A workbook's cells that held an error, read as empty (see ByteSource::errorCells).
    qint64 errorCells() const { return m_source ? m_source->errorCells() : 0; }

    static constexpr size_t kLongestLine = size_t(256) << 20;

private:
    bool fillMore();
    // Reads up to `room` bytes of the file, as UTF-8 when it is UTF-16, to `to`; 0 at its end.
    size_t readInto(char* to, size_t room);
    // Up to `room` bytes of the file or the source, as they come; 0 at the end.
    size_t readSome(char* to, size_t room);
    // The first read, which tells how the file is encoded.
    size_t readStart(char* to, size_t room);
    void dropCtrlZ(char* fresh, size_t& size);
    // The number, from 1, of the line the byte at `at` in the block is on.
    qint64 lineOf(const char* at) const;
    void skipByteOrderMark();
    QByteArrayView lineAt(size_t begin, size_t end) const;

    QString m_path;
    int m_fd = -1;
    std::unique_ptr<ByteSource> m_source; // instead of a file
    Block m_block;
    // Blocks read before, to be read into again once no one holds them: fresh memory would
    // cost the system a page fault for every 4 KiB read.
    std::vector<Block> m_retired;
    size_t m_pos = 0;
    size_t m_end = 0;
    bool m_eof = false;
    bool m_atStart = true;
    bool m_encodingKnown = false;
    std::optional<Utf16Transcoder> m_utf16;
    std::unique_ptr<char[]> m_utf16Bytes; // as read, before they are converted
    qint64 m_linesBefore = 0; // the line breaks before m_pos
    qint64 m_pendingCtrlZ = 0; // the line of a Ctrl-Z followed so far by line breaks alone
    size_t m_pendingCtrlZAt = 0; // where it was in the block
    qint64 m_ctrlZInside = 0;
    std::optional<size_t> m_mark; // kept in the buffer from here on
    qint64 m_linesBeforeMark = 0;
};

// A line's bytes without the lone CRs in it, which go before the bytes are decoded (a CR inside
// a UTF-8 sequence does not break it); `storage` holds them when there were any.
QByteArrayView withoutLoneCr(QByteArrayView line, QByteArray& storage);

} // namespace urdiva
