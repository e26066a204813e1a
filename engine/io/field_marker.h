// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

namespace urdiva {

// Fields are kept with a marker on each side that touched a separator, so that a field reads x¶
// (first of several), ¶x¶ (between two separators), ¶x (last of several) or x (the only one).
inline constexpr QChar kFieldMarker = QChar(0x00B6);

// Where a field stood in its line, which decides the markers it carries.
enum class FieldShape : quint8 { Only, First, Middle, Last };

// The marked form of a value in a given position.
QString markedField(QStringView value, FieldShape shape);

// The normal form x¶ of a marked field: ¶x¶ and ¶x become x¶; anything else is returned as is.
QString normaliseField(const QString& field);
// The same as a view: of the field itself where the normal form is part of it, else of
// `storage`, which it fills.
QStringView normaliseField(QStringView field, QString& storage);

// The text with every field marker removed, as names and weights are written.
QString removeMarkers(QStringView text);

// Whether the line holds anything but the separator.
bool isRecordText(QStringView line, QChar separator);

} // namespace urdiva
