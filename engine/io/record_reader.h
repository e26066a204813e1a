// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>

namespace urdiva {

class LineReader;

// Whether a record of a file with quoted fields goes on past the end of a line. It reads the
// line as RecordFields::splitQuoted cuts it: a quotation mark opens a quoted field only at the
// start of a field, "" inside one stands for a mark, and any other mark is data. So a stray mark
// in an unquoted field (5"11, O"Brien) never joins the following lines to its record.
class QuoteScanner {
public:
    explicit QuoteScanner(QChar separator);

    void startRecord() { m_state = State::FieldStart; }
    // Reads one line of the record (its bytes, decoded where the separator is not ASCII);
    // whether a quoted field is still open at its end, so that the line break is the field's.
    bool openAfter(QByteArrayView line);
    // Whether the field open after the last line opened on that line.
    bool openedOnLastLine() const { return m_openedOnLastLine; }

private:
    enum class State : quint8 { FieldStart, Unquoted, Quoted, QuoteInQuoted };
    template <typename Char>
    void scan(const Char* begin, const Char* end);

    char16_t m_separator;
    State m_state = State::FieldStart;
    bool m_openedOnLastLine = false;
    QString m_text;
};

// The records of a data file, line by line; with quoted fields a record goes on over the
// following lines while a quoted field is open, its lines joined by LF. A quoted field that never
// closes, or that runs on over more than a bound of lines or bytes, stops the run with the line
// where it opened: one stray mark never makes a field of the rest of the file.
class RecordReader {
public:
    RecordReader(LineReader& reader, QChar separator, bool quotedFields);

    // The next record's bytes, valid until the next call, and the number of its first line.
    bool next(QByteArrayView& raw, qint64& line);
    qint64 linesRead() const { return m_linesRead; }

    static constexpr qint64 kMaxQuotedLines = 10000;
    static constexpr qsizetype kMaxQuotedBytes = qsizetype(1) << 20;

private:
    LineReader& m_reader;
    bool m_quotedFields;
    QuoteScanner m_scanner;
    QByteArray m_joined;
    qint64 m_linesRead = 0;
};

// The reader's next record as text (empty at the end of the file), left to be read again: the
// column names of a file with quoted fields may span lines.
QString peekRecord(LineReader& reader, QChar separator, bool quotedFields);

} // namespace urdiva
