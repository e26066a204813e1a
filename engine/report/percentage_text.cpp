// SPDX-License-Identifier: MIT
#include "engine/report/percentage_text.h"

#include <cmath>

namespace urdiva {

QString formatPercentage(double value, const QLocale& locale)
{
    const bool negative = value < 0;
    // "d.ddddddddddddddddde±x": 18 significant digits, correctly rounded.
    const QString scientific = QString::number(std::abs(value), 'e', 17);
    const qsizetype e = scientific.indexOf(u'e');
    const QString digits = scientific.left(1) + scientific.mid(2, e - 2);
    const int exponent = scientific.mid(e + 1).toInt();
    // Hundredths: the digits shifted so that the last kept one is the second decimal.
    const qsizetype kept = digits.size() + (exponent - 17 + 2);
    quint64 hundredths = 0;
    if (kept > 0) {
        for (qsizetype k = 0; k < kept; ++k)
            hundredths = hundredths * 10 + (k < digits.size() ? digits[k].unicode() - u'0' : 0);
    }
    if (kept >= 0 && kept < digits.size() && digits[kept] >= u'5')
        ++hundredths;
    const QString whole = QString::number(hundredths / 100);
    QString grouped;
    for (qsizetype k = 0; k < whole.size(); ++k) {
        if (k > 0 && (whole.size() - k) % 3 == 0)
            grouped += locale.groupSeparator();
        grouped += whole[k];
    }
    const quint64 cents = hundredths % 100;
    return (negative && hundredths > 0 ? locale.negativeSign() : QString()) + grouped +
           locale.decimalPoint() + QChar(u'0' + int(cents / 10)) + QChar(u'0' + int(cents % 10));
}

} // namespace urdiva
