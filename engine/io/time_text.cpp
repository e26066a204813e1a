// SPDX-License-Identifier: MIT
#include "engine/io/time_text.h"

#include <QDate>

#include <cctype>

namespace urdiva {
namespace {

// The digits at `at`, at least `least` and at most `most` of them, as a number; -1 if fewer.
int digits(QByteArrayView text, qsizetype& at, int least, int most)
{
    int value = 0;
    int count = 0;
    while (at < text.size() && count < most && std::isdigit(static_cast<unsigned char>(text[at]))) {
        value = 10 * value + (text[at++] - '0');
        ++count;
    }
    return count >= least ? value : -1;
}

bool skip(QByteArrayView text, qsizetype& at, char c)
{
    if (at < text.size() && text[at] == c) {
        ++at;
        return true;
    }
    return false;
}

std::optional<TimeValue> dateOf(int year, int month, int day)
{
    if (!QDate::isValid(year, month, day) || year < 1)
        return std::nullopt;
    return TimeValue {TimeValue::Kind::Date, year * 10000 + month * 100 + day};
}

} // namespace

std::optional<TimeValue> readTime(QByteArrayView text)
{
    text = text.trimmed();
    qsizetype at = 0;
    const bool negative = skip(text, at, '-');
    const qsizetype start = at;
    const int first = digits(text, at, 1, 4);
    if (first < 0)
        return std::nullopt;
    if (at == text.size())
        return TimeValue {TimeValue::Kind::Year, negative ? -first : first};
    if (negative)
        return std::nullopt;
    if (at - start == 4 && skip(text, at, '-')) {
        const int month = digits(text, at, 2, 2);
        const bool dash = skip(text, at, '-');
        const int day = digits(text, at, 2, 2);
        // A time of day may follow the date: 2021-03-04T10:30 or 2021-03-04 10:30:00.
        if (month < 0 || !dash || day < 0 ||
            (at < text.size() && text[at] != 'T' && text[at] != ' '))
            return std::nullopt;
        return dateOf(first, month, day);
    }
    if (at - start <= 2 && skip(text, at, '/')) {
        const int month = digits(text, at, 1, 2);
        const bool slash = skip(text, at, '/');
        const qsizetype yearStart = at;
        const int year = digits(text, at, 4, 4);
        if (month < 0 || !slash || year < 0 || at - yearStart != 4 || at != text.size())
            return std::nullopt;
        return dateOf(year, month, first);
    }
    return std::nullopt;
}

QByteArray timeText(qint32 value, TimeValue::Kind kind)
{
    if (kind == TimeValue::Kind::Year)
        return QByteArray::number(value);
    return QDate(value / 10000, value / 100 % 100, value % 100).toString(Qt::ISODate).toLatin1();
}

} // namespace urdiva
