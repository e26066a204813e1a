// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <functional>

namespace urdiva {

// The text of an output file as the writers make it, whatever its format: UTF-8 lines, each
// followed by CR LF (on every platform, since the Pajek program that reads these files runs on
// Windows). Compact enough for a million edge lines, and handed out in pieces as it grows.
class OutputBuffer {
public:
    void appendLine(QStringView line);
    void appendUtf8Line(QByteArrayView line);
    void append(const OutputBuffer& other);
    // Room for a line of at most `size` bytes, written through the pointer it returns; endLine()
    // takes the end of what was written and closes the line. Writers make their lines in place
    // with these, without a string in between.
    char* beginLine(size_t size);
    void endLine(char* end);
    void reserve(qsizetype bytes);
    // Forgets the lines, keeping the room they took.
    void clear() { m_used = 0; }
    // From now on, once the lines fill at least half of `pieceBytes` and the next would not fit,
    // they are handed to `writeOut` (which empties the buffer) instead of the buffer growing: a
    // large network never has much more than a piece in memory, and the same room is used again
    // (fresh memory costs a page fault, and the kernel's zeroing, on first touch). `writeOut` may
    // be called on whichever thread appends to the buffer, and must not throw.
    void writeOutEvery(qsizetype pieceBytes, std::function<void(OutputBuffer&)> writeOut);

    // The lines in UTF-8, each followed by CR LF.
    QByteArrayView utf8() const { return QByteArrayView(m_utf8.constData(), m_used); }

private:
    QByteArray m_utf8;
    qsizetype m_used = 0;
    qsizetype m_pieceBytes = 0;
    std::function<void(OutputBuffer&)> m_writeOut;
};

} // namespace urdiva
