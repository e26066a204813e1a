// SPDX-License-Identifier: MIT
#include "short_dates.h"

#include <QStringList>

namespace urdiva::ui {

QChar dateSeparator(const QLocale& locale)
{
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    for (qsizetype i = 1; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (!c.isLetter() && c != u' ' && c != u'\'' && pattern[i - 1].isLetter())
            return c;
    }
    return u'/';
}

QString dateKey(const QDate& date, const QLocale& locale)
{
    const QChar separator = dateSeparator(locale);
    return QStringLiteral("%1%2%3%4%5")
        .arg(date.year(), 4, 10, QChar(u'0'))
        .arg(separator)
        .arg(date.month(), 2, 10, QChar(u'0'))
        .arg(separator)
        .arg(date.day(), 2, 10, QChar(u'0'));
}

std::optional<QDate> readShortDate(const QString& text, const QLocale& locale, const QDate& today)
{
    enum class Order { DayMonthYear, YearMonthDay, MonthDayYear };
    Order order = Order::MonthDayYear;
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat).toLower()) {
        if (c == u'd' || c == u'y' || c == u'm') {
            order = c == u'd'   ? Order::DayMonthYear
                    : c == u'y' ? Order::YearMonthDay
                                : Order::MonthDayYear;
            break;
        }
    }
    const QChar separator = dateSeparator(locale);
    qsizetype at = 0;
    const auto skipSpaces = [&] {
        while (at < text.size() && text[at] == u' ')
            ++at;
    };
    const auto number = [&](int& value, int& digits) {
        digits = 0;
        value = 0;
        while (at < text.size() && text[at] >= u'0' && text[at] <= u'9' && digits < 9) {
            value = value * 10 + (text[at].unicode() - u'0');
            ++at;
            ++digits;
        }
        return digits > 0;
    };
    const auto separatorHere = [&] {
        if (at < text.size() && text[at] == separator) {
            ++at;
            return true;
        }
        return false;
    };
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int count = 0;
    skipSpaces();
    if (!number(parts[0], digits[0]))
        return std::nullopt;
    count = 1;
    for (;;) {
        skipSpaces();
        if (at == text.size() || !separatorHere())
            break;
        skipSpaces();
        if (at == text.size() || count == 3)
            break;
        if (!number(parts[count], digits[count]))
            return std::nullopt;
        ++count;
    }
    skipSpaces();
    if (at != text.size() || count < 2)
        return std::nullopt;
    int day = 0;
    int month = 0;
    int year = today.year();
    int yearDigits = 4;
    if (count == 2) {
        day = order == Order::DayMonthYear ? parts[0] : parts[1];
        month = order == Order::DayMonthYear ? parts[1] : parts[0];
    } else if (order == Order::DayMonthYear) {
        day = parts[0], month = parts[1], year = parts[2], yearDigits = digits[2];
    } else if (order == Order::YearMonthDay) {
        year = parts[0], yearDigits = digits[0], month = parts[1], day = parts[2];
    } else {
        month = parts[0], day = parts[1], year = parts[2], yearDigits = digits[2];
    }
    if (yearDigits <= 2)
        year += year < 50 ? 2000 : 1900;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace urdiva::ui
