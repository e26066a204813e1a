// SPDX-License-Identifier: MIT
#include "engine/io/field_marker.h"

#include <algorithm>

namespace urdiva {

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
