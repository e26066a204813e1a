// SPDX-License-Identifier: MIT
#pragma once

#include <QChar>
#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

// The short dates of the update server's release page, read and compared in the user's locale.
namespace urdiva::ui {

// The locale's date separator, from its short date pattern.
QChar dateSeparator(const QLocale& locale);
// A date as yyyy/mm/dd with the locale's separator: string order is calendar order.
QString dateKey(const QDate& date, const QLocale& locale);
// A short date in the locale's order (day, month and year as its pattern puts them), its parts
// separated by the locale's separator; spaces before and between the parts, and a separator and
// spaces after the last, are allowed. Two parts take the year of `today`; a one- or two-digit
// year falls between 1950 and 2049.
std::optional<QDate> readShortDate(const QString& text, const QLocale& locale, const QDate& today);

} // namespace urdiva::ui
