// SPDX-License-Identifier: MIT
#include "engine/io/field_marker.h"

#include <algorithm>

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

QString markedField(QStringView value, FieldShape shape)
{
    const bool leading = shape == FieldShape::Middle || shape == FieldShape::Last;
    const bool trailing = shape == FieldShape::Middle || shape == FieldShape::First;
    QString out(value.size() + (leading ? 1 : 0) + (trailing ? 1 : 0), Qt::Uninitialized);
    QChar* o = out.data();
    if (leading)
        *o++ = kFieldMarker;
    std::copy(value.begin(), value.end(), o);
    if (trailing)
        out.back() = kFieldMarker;
    return out;
}

QString normaliseField(const QString& field)
{
    if (field.size() >= 2 && field.front() == kFieldMarker) {
        if (field.back() == kFieldMarker)
            return field.sliced(1);
        return field.sliced(1) + kFieldMarker;
    }
    return field;
}

QStringView normaliseField(QStringView field, QString& storage)
{
    if (field.size() >= 2 && field.front() == kFieldMarker) {
        if (field.back() == kFieldMarker)
            return field.sliced(1);
        storage.clear();
        storage.append(field.sliced(1));
        storage.append(kFieldMarker);
        return storage;
    }
    return field;
}

QString removeMarkers(QStringView text)
{
    QString out = text.toString();
    out.remove(kFieldMarker);
    return out;
}

bool isRecordText(QStringView line, QChar separator)
{
    for (QChar c : line) {
        if (c != separator)
            return true;
    }
    return false;
}

} // namespace urdiva
