// SPDX-License-Identifier: MIT
#pragma once

#include "engine/io/field_marker.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace urdiva {

// The fields of one line, as positions in the line, so that a pass can take the few it needs
// without building the others. The line must outlive the object's use of it.
class RecordFields {
public:
    struct Piece {
        qsizetype begin;
        qsizetype end;
        bool leadingMarker;
        bool trailingMarker;
    };

    // Cuts a line, which holds no CR or LF as the line reader gives them, at every separator
    // (the field marker goes on both sides of the cut). An empty line has no field.
    void splitLine(QStringView line, QChar separator);
    // Cuts a record of a file with quoted fields (RFC 4180), which may hold the line breaks of
    // fields that continue on the next line: a field that starts with a quotation mark runs to
    // the closing one, "" inside stands for one ", and separators and line breaks inside are
    // data; anything after the closing mark up to the separator belongs to the field too. The
    // fields' texts are put in `storage`, which must outlive the object's use of them.
    void splitQuoted(QStringView record, QChar separator, QString& storage);

    qsizetype count() const { return static_cast<qsizetype>(m_pieces.size()); }
    // The text between the markers of field i.
    QStringView value(qsizetype i) const;
    FieldShape shape(qsizetype i) const;

private:
    QStringView m_line;
    std::vector<Piece> m_pieces;
};

} // namespace urdiva
