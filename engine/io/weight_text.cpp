// SPDX-License-Identifier: MIT
#include "engine/io/weight_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

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

bool hasNumberSyntax(QByteArrayView weight)
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

bool isNumber(QByteArrayView weight)
{
    if (!hasNumberSyntax(weight))
        return false;
    // Only an exponent, or hundreds of digits, can leave the range of a double.
    const bool exponent = weight.contains('e') || weight.contains('E');
    if (!exponent && weight.size() < 300)
        return true;
    double value = 0;
    const char* begin = weight.data() + (weight.startsWith('+') ? 1 : 0);
    const auto [end, error] = std::from_chars(begin, weight.data() + weight.size(), value);
    if (error != std::errc::result_out_of_range)
        return std::isfinite(value);
    // Out of range: too large, or so small that it reads as 0: the place of the first
    // significant digit, moved by the exponent, tells which.
    const qsizetype at = afterSign(weight);
    const qsizetype whole = digitsAt(weight, at);
    qsizetype zeros = 0;
    while (zeros < whole && weight[at + zeros] == '0')
        ++zeros;
    qsizetype place = whole - zeros - 1;
    if (zeros == whole) {
        qsizetype k = at + whole + 1; // after the point
        while (k < weight.size() && weight[k] == '0')
            ++k;
        place = -(k - (at + whole + 1)) - 1;
    }
    const qsizetype e = std::max(weight.indexOf('e'), weight.indexOf('E'));
    const bool negative = weight[e + 1] == '-';
    const char* digits = weight.data() + e + 1 + (weight[e + 1] == '+' || negative ? 1 : 0);
    long long shift = 0;
    if (std::from_chars(digits, weight.data() + weight.size(), shift).ec != std::errc())
        return negative;
    return place + (negative ? -shift : shift) < 0;
}

} // namespace urdiva
