// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <limits>
#include <optional>

namespace urdiva {

// A record's time: a year, or a day.
struct TimeValue {
    enum class Kind { Year, Date };
    Kind kind;
    // The year, or the day as the number yyyymmdd: either keeps the order of the times, and
    // Pajek, whose times are whole numbers, takes it as it is.
    qint32 value;
};
inline constexpr qint32 kNoTime = std::numeric_limits<qint32>::min();

// The time a cell gives: a year (a whole number of at most four digits, with a minus sign
// before the common era), an ISO date (2021-03-04, also followed by a time of day, as a
// workbook's date and time cells are read) or a date as Brazilian spreadsheets write it,
// day/month/year (04/03/2021). Spaces around it are allowed; nullopt for anything else.
std::optional<TimeValue> readTime(QByteArrayView text);

// The time as the files that carry dates write it: the year, or the ISO date.
QByteArray timeText(qint32 value, TimeValue::Kind kind);

} // namespace urdiva
