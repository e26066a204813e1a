// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QString>

namespace urdiva {

// A percentage as "#,##0.00" in the locale: taken to 18 significant digits, then to two decimals
// with a third decimal of 5 or more rounding up (90.625 gives 90,63 in pt_BR).
QString formatPercentage(double value, const QLocale& locale);

} // namespace urdiva
