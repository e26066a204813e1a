// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace urdiva {

// How a workbook's cells become the texts of fields, whatever wrote the workbook. Texts are
// UTF-8, as the workbook's XML holds them.

// A number as the shortest decimal that reads back to the same double ("0.1", "2.25", "10");
// the text as it is when it is no number.
std::string numberText(std::string_view stored);
// A spreadsheet date serial (days since 1899-12-30, or since 1904-01-01 in a workbook that says
// so) as an ISO date, "2021-03-04", with the time after a "T" when it has one.
std::string serialDateText(double serial, bool from1904);
// An ISO date-time as an ISO date alone when its time is midnight.
std::string isoDateText(std::string_view stored);
// Whether a number format (its code) shows a date or a time: d, m, y, h or s outside quoted
// text, escapes and colour or condition brackets.
bool isDateFormat(std::string_view code);
// The characters a workbook keeps as _xHHHH_ escapes (UTF-16 code units), restored.
std::string withoutEscapes(std::string text);

} // namespace urdiva
