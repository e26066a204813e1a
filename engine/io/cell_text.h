// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

namespace urdiva {

// How a workbook's cells become the texts of fields, whatever wrote the workbook.

// A number as the shortest decimal that reads back to the same double ("0.1", "2.25", "10");
// the text as it is when it is no number.
QString numberText(QStringView stored);
// A spreadsheet date serial (days since 1899-12-30, or since 1904-01-01 in a workbook that says
// so) as an ISO date, "2021-03-04", with the time after a "T" when it has one.
QString serialDateText(double serial, bool from1904);
// An ISO date-time as an ISO date alone when its time is midnight.
QString isoDateText(QStringView stored);
// Whether a number format (its code) shows a date or a time: d, m, y, h or s outside quoted
// text, escapes and colour or condition brackets.
bool isDateFormat(QStringView code);
// The characters a workbook keeps as _xHHHH_ escapes, restored.
QString withoutEscapes(QString text);

} // namespace urdiva
