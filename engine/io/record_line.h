// SPDX-License-Identifier: MIT
#pragma once

#include "engine/io/field_marker.h"
#include "engine/io/record_fields.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace urdiva {

// One line of the data file, as the reader's bytes, cut into fields for the run.
//
// Lone CR bytes are dropped first. A line with an ASCII separator is then cut on its raw bytes:
// an ASCII byte is never part of a UTF-8 sequence nor a Windows-1252 letter, so the cuts fall
// exactly where the decoded text would be cut, and most fields need no decoding at all. A line
// with any other separator is decoded first and cut as text, as is every line of a file with
// quoted fields (see RecordFields::splitQuoted).
//
// Each field offers a key for remembering it: its raw bytes, or its UTF-16 code units, told
// apart by keyIsText(). Equal keys always mean equal field texts.
class RecordLine {
public:
    explicit RecordLine(QChar separator, bool quotedFields = false);

    void assign(QByteArrayView line);

    // Whether the line holds anything besides separators.
    bool isRecord() const;
    // Whether, read without quoted fields, the line looks as if it had them: a field starts with
    // a quotation mark and a field ends with one.
    bool looksQuoted() const;
    qsizetype count() const;
    FieldShape shape(qsizetype i) const;
    QByteArrayView key(qsizetype i) const;
    bool keyIsText() const { return !m_byteCut; }
    // The field's decoded text, without markers.
    QString value(qsizetype i) const;
    // The field's bytes when they are plain ASCII, so already its UTF-8 text without markers;
    // a null view otherwise.
    QByteArrayView asciiBytes(qsizetype i) const;
    // The field's text with its field markers removed, in UTF-8: a view of the line's own bytes
    // when they are plain ASCII, else of `storage`, which it fills.
    QByteArrayView unmarkedUtf8(qsizetype i, QByteArray& storage) const;

    // The decoded text of a field's key.
    static QString valueOfKey(QByteArrayView key, bool keyIsText);

private:
    char16_t m_separator;
    bool m_asciiSeparator;
    bool m_quotedFields;
    bool m_byteCut = true;
    QByteArrayView m_bytes;
    QByteArray m_withoutCr; // the line's bytes when it held lone CRs
    std::vector<qsizetype> m_cuts; // separator positions, then the end of the line
    QString m_text;
    QString m_unquoted; // the fields' texts, with quoted fields
    RecordFields m_textFields;
};

} // namespace urdiva
