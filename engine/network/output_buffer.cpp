// SPDX-License-Identifier: MIT
#include "engine/network/output_buffer.h"

#include <algorithm>
#include <cstring>

namespace urdiva {

char* OutputBuffer::beginLine(size_t size)
{
    // Room for the line break too. The buffer grows geometrically and is filled up to m_used;
    // a QByteArray leaves new room uninitialised, which a million short lines notice.
    qsizetype needed = m_used + qsizetype(size) + 2;
    if (needed > m_utf8.size() && m_writeOut && 2 * m_used >= m_pieceBytes) {
        m_writeOut(*this);
        needed = m_used + qsizetype(size) + 2;
    }
    if (needed > m_utf8.size())
        m_utf8.resize(std::max(needed, 2 * m_utf8.size()));
    return m_utf8.data() + m_used;
}

void OutputBuffer::endLine(char* end)
{
    *end++ = '\r';
    *end++ = '\n';
    m_used = end - m_utf8.constData();
}

void OutputBuffer::reserve(qsizetype bytes)
{
    if (bytes > m_utf8.size())
        m_utf8.resize(bytes);
}

void OutputBuffer::writeOutEvery(qsizetype pieceBytes, std::function<void(OutputBuffer&)> writeOut)
{
    m_pieceBytes = pieceBytes;
    m_writeOut = std::move(writeOut);
}

void OutputBuffer::appendLine(QStringView line)
{
    appendUtf8Line(line.toUtf8());
}

void OutputBuffer::appendUtf8Line(QByteArrayView line)
{
    char* out = beginLine(size_t(line.size()));
    std::memcpy(out, line.data(), size_t(line.size()));
    endLine(out + line.size());
}

void OutputBuffer::append(const OutputBuffer& other)
{
    char* out = beginLine(size_t(other.m_used));
    std::memcpy(out, other.m_utf8.constData(), size_t(other.m_used));
    m_used += other.m_used;
}

} // namespace urdiva
