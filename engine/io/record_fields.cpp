// SPDX-License-Identifier: MIT
#include "engine/io/record_fields.h"

namespace urdiva {

void RecordFields::splitLine(QStringView line, QChar separator)
{
    m_line = line;
    m_pieces.clear();
    const char16_t sep = separator.unicode();
    const char16_t* data = line.utf16();
    const qsizetype n = line.size();
    qsizetype begin = 0;
    bool leading = false;
    for (qsizetype i = 0; i < n; ++i) {
        if (data[i] == sep) {
            m_pieces.push_back({begin, i, leading, true});
            begin = i + 1;
            leading = true;
        }
    }
    if (n > 0)
        m_pieces.push_back({begin, n, leading, false});
}

void RecordFields::splitQuoted(QStringView record, QChar separator, QString& storage)
{
    m_pieces.clear();
    storage.resize(0);
    storage.reserve(record.size());
    const qsizetype n = record.size();
    for (qsizetype i = 0; n > 0;) {
        const qsizetype begin = storage.size();
        if (i < n && record[i] == u'"') {
            for (++i; i < n; ++i) {
                if (record[i] != u'"') {
                    storage.append(record[i]);
                } else if (i + 1 < n && record[i + 1] == u'"') {
                    storage.append(u'"');
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        }
        for (; i < n && record[i] != separator; ++i)
            storage.append(record[i]);
        const bool more = i < n;
        m_pieces.push_back({begin, storage.size(), !m_pieces.empty(), more});
        if (!more)
            break;
        ++i;
    }
    m_line = storage;
}

QStringView RecordFields::value(qsizetype i) const
{
    const Piece& p = m_pieces[static_cast<size_t>(i)];
    return m_line.sliced(p.begin, p.end - p.begin);
}

FieldShape RecordFields::shape(qsizetype i) const
{
    const Piece& p = m_pieces[static_cast<size_t>(i)];
    if (p.leadingMarker)
        return p.trailingMarker ? FieldShape::Middle : FieldShape::Last;
    return p.trailingMarker ? FieldShape::First : FieldShape::Only;
}

} // namespace urdiva
