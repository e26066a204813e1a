// SPDX-License-Identifier: MIT
#include "engine/io/weight_text.h"

namespace urdiva {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The number of digits from `at` on.
qsizetype digitsAt(QByteArrayView text, qsizetype at)
{
    qsizetype end = at;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return end - at;
}

qsizetype afterSign(QByteArrayView text)
{
    return !text.isEmpty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
}

} // namespace

QByteArrayView withDecimalPoint(QByteArrayView weight, QByteArray& storage)
{
    // Digits, or up to three digits and groups of a point and three digits; then an optional
    // comma and digits.
    qsizetype i = afterSign(weight);
    const qsizetype lead = digitsAt(weight, i);
    if (lead == 0)
        return weight;
    i += lead;
    bool grouped = false;
    while (lead <= 3 && i < weight.size() && weight[i] == '.' && digitsAt(weight, i + 1) == 3) {
        i += 4;
        grouped = true;
    }
    const bool comma = i < weight.size() && weight[i] == ',' && digitsAt(weight, i + 1) > 0;
    if (comma)
        i += 1 + digitsAt(weight, i + 1);
    if (i != weight.size() || (!grouped && !comma))
        return weight;
    storage.clear();
    for (const char c : weight) {
        if (c != '.')
            storage.append(c == ',' ? '.' : c);
    }
    return storage;
}

bool isNumber(QByteArrayView weight)
{
    qsizetype i = afterSign(weight);
    const qsizetype whole = digitsAt(weight, i);
    i += whole;
    qsizetype fraction = 0;
    if (i < weight.size() && weight[i] == '.') {
        fraction = digitsAt(weight, i + 1);
        i += 1 + fraction;
    }
    if (whole + fraction == 0)
        return false;
    if (i < weight.size() && (weight[i] == 'e' || weight[i] == 'E')) {
        const qsizetype sign =
            i + 1 < weight.size() && (weight[i + 1] == '-' || weight[i + 1] == '+');
        const qsizetype exponent = digitsAt(weight, i + 1 + sign);
        if (exponent == 0)
            return false;
        i += 1 + sign + exponent;
    }
    return i == weight.size();
}

} // namespace urdiva
