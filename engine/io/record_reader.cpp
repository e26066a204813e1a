// SPDX-License-Identifier: MIT
#include "engine/io/record_reader.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"
#include "engine/io/line_reader.h"
#include "engine/io/text_decoding.h"

namespace urdiva {

QuoteScanner::QuoteScanner(QChar separator)
    : m_separator(separator.unicode())
{
}

template <typename Char>
void QuoteScanner::scan(const Char* begin, const Char* end)
{
    const auto separator = Char(m_separator);
    State state = m_state;
    bool opened = false;
    for (const Char* p = begin; p != end; ++p) {
        const Char c = *p;
        switch (state) {
        case State::FieldStart:
            opened = opened || c == Char('"');
            state = c == Char('"')   ? State::Quoted
                    : c == separator ? State::FieldStart
                                     : State::Unquoted;
            break;
        case State::Unquoted:
            if (c == separator)
                state = State::FieldStart;
            break;
        case State::Quoted:
            if (c == Char('"'))
                state = State::QuoteInQuoted;
            break;
        case State::QuoteInQuoted:
            state = c == Char('"')   ? State::Quoted
                    : c == separator ? State::FieldStart
                                     : State::Unquoted;
            break;
        }
    }
    m_state = state;
    m_openedOnLastLine = opened;
}

bool QuoteScanner::openAfter(QByteArrayView line)
{
    // An ASCII byte is never part of a longer UTF-8 sequence nor another Windows-1252 letter, so
    // an ASCII separator and the quotation mark are found in the bytes as in the decoded text.
    if (m_separator < 0x80) {
        scan(line.data(), line.data() + line.size());
    } else {
        decodeTextInto(line, m_text);
        scan(m_text.utf16(), m_text.utf16() + m_text.size());
    }
    return m_state == State::Quoted;
}

RecordReader::RecordReader(LineReader& reader, QChar separator, bool quotedFields)
    : m_reader(reader)
    , m_quotedFields(quotedFields)
    , m_scanner(separator)
{
}

bool RecordReader::next(QByteArrayView& raw, qint64& line)
{
    line = m_linesRead + 1;
    if (!m_reader.readRawLine(raw))
        return false;
    ++m_linesRead;
    if (!m_quotedFields || !raw.contains('"'))
        return true;
    m_scanner.startRecord();
    if (!m_scanner.openAfter(raw))
        return true;
    m_joined = raw.toByteArray();
    qint64 opened = m_linesRead; // where the field still open began
    QByteArrayView more;
    for (;;) {
        if (!m_reader.readRawLine(more))
            throw RunError(messages::quoteNotClosed(opened),
                           recordContext(m_reader.name(), opened));
        ++m_linesRead;
        m_joined.append('\n').append(more);
        if (!m_scanner.openAfter(more))
            break;
        if (m_scanner.openedOnLastLine())
            opened = m_linesRead;
        if (m_linesRead - opened >= kMaxQuotedLines || m_joined.size() > kMaxQuotedBytes)
            throw RunError(messages::quoteNotClosedWithin(opened, kMaxQuotedLines),
                           recordContext(m_reader.name(), opened));
    }
    raw = m_joined;
    return true;
}

QString peekRecord(LineReader& reader, QChar separator, bool quotedFields)
{
    reader.mark();
    RecordReader records(reader, separator, quotedFields);
    QByteArrayView raw;
    qint64 line = 0;
    QString text;
    QByteArray storage;
    if (records.next(raw, line))
        decodeTextInto(withoutLoneCr(raw, storage), text);
    reader.rewind();
    return text;
}

} // namespace urdiva
