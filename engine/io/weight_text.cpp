// SPDX-License-Identifier: MIT
#include "engine/io/weight_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

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

// A number's exact value as 0.d1d2d3... times 10^exponent, with its significant digits alone
// (none for zero).
struct Decimal {
    bool negative = false;
    QByteArray digits;
    long long exponent = 0;
};

// The Decimal of a weight that hasNumberSyntax() accepts.
Decimal decimalOf(QByteArrayView weight)
{
    Decimal d;
    d.negative = weight.startsWith('-');
    qsizetype i = afterSign(weight);
    const qsizetype whole = digitsAt(weight, i);
    const QByteArrayView wholeDigits = weight.sliced(i, whole);
    i += whole;
    QByteArrayView fraction;
    if (i < weight.size() && weight[i] == '.') {
        fraction = weight.sliced(i + 1, digitsAt(weight, i + 1));
        i += 1 + fraction.size();
    }
    long long shift = 0;
    if (i < weight.size()) {
        const char* at = weight.data() + i + 1;
        if (*at == '+')
            ++at;
        // An exponent beyond long long is beyond any double too: it is held at the limit.
        if (std::from_chars(at, weight.data() + weight.size(), shift).ec != std::errc())
            shift = *at == '-' ? -(1LL << 62) : (1LL << 62);
    }
    const QByteArray all = wholeDigits.toByteArray() + fraction.toByteArray();
    qsizetype first = 0;
    while (first < all.size() && all[first] == '0')
        ++first;
    qsizetype last = all.size();
    while (last > first && all[last - 1] == '0')
        --last;
    d.digits = all.sliced(first, last - first);
    d.exponent = qsizetype(wholeDigits.size()) - first + shift;
    return d;
}

} // namespace

std::optional<QByteArrayView> withDecimalPoint(QByteArrayView weight, QByteArray& storage)
{
    // Digits, or one to three digits (not a lone 0) and groups of a point and three digits; then
    // an optional comma and digits.
    qsizetype i = afterSign(weight);
    const qsizetype lead = digitsAt(weight, i);
    const bool pointed = weight.contains('.');
    if (lead == 0)
        return pointed ? std::nullopt : std::optional(weight);
    const bool canGroup = lead <= 3 && weight[i] != '0';
    i += lead;
    bool grouped = false;
    while (canGroup && i < weight.size() && weight[i] == '.' && digitsAt(weight, i + 1) == 3) {
        i += 4;
        grouped = true;
    }
    const bool comma = i < weight.size() && weight[i] == ',' && digitsAt(weight, i + 1) > 0;
    if (comma)
        i += 1 + digitsAt(weight, i + 1);
    // An exponent, as spreadsheets write one (1,5E+03).
    if (i < weight.size() && (weight[i] == 'e' || weight[i] == 'E')) {
        const qsizetype sign =
            i + 1 < weight.size() && (weight[i + 1] == '-' || weight[i + 1] == '+');
        const qsizetype exponent = digitsAt(weight, i + 1 + sign);
        if (exponent > 0)
            i += 1 + sign + exponent;
    }
    if (i != weight.size() || (!grouped && !comma))
        return pointed ? std::nullopt : std::optional(weight);
    storage.clear();
    for (const char c : weight) {
        if (c != '.')
            storage.append(c == ',' ? '.' : c);
    }
    return QByteArrayView(storage);
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

NumberRange numberRange(QByteArrayView weight)
{
    if (!hasNumberSyntax(weight))
        return NumberRange::NotNumber;
    // Only an exponent, or hundreds of digits, can leave the range of a double.
    const bool exponent = weight.contains('e') || weight.contains('E');
    if (!exponent && weight.size() < 300)
        return NumberRange::InRange;
    double value = 0;
    const char* begin = weight.data() + (weight.startsWith('+') ? 1 : 0);
    const auto [end, error] = std::from_chars(begin, weight.data() + weight.size(), value);
    if (error != std::errc::result_out_of_range) {
        if (!std::isfinite(value))
            return NumberRange::TooLarge;
        return value != 0 && std::abs(value) < std::numeric_limits<double>::min()
                   ? NumberRange::TooSmall
                   : NumberRange::InRange;
    }
    // Out of range: too large, or so small that it reads as 0: the place of the first
    // significant digit, moved by the exponent, tells which.
    const Decimal decimal = decimalOf(weight);
    return decimal.digits.isEmpty() ? NumberRange::InRange
           : decimal.exponent > 0   ? NumberRange::TooLarge
                                    : NumberRange::TooSmall;
}

bool isNumber(QByteArrayView weight)
{
    return numberRange(weight) == NumberRange::InRange;
}

int compareNumbers(QByteArrayView a, QByteArrayView b)
{
    const Decimal x = decimalOf(a);
    const Decimal y = decimalOf(b);
    const int signX = x.digits.isEmpty() ? 0 : x.negative ? -1 : 1;
    const int signY = y.digits.isEmpty() ? 0 : y.negative ? -1 : 1;
    if (signX != signY || signX == 0)
        return signX - signY;
    // Same sign: the larger size is the one whose first digit stands higher, or whose digits,
    // from the first, are larger (a missing digit is a 0).
    int bySize =
        x.exponent != y.exponent ? (x.exponent < y.exponent ? -1 : 1) : x.digits.compare(y.digits);
    bySize = bySize < 0 ? -1 : bySize > 0 ? 1 : 0;
    return signX * bySize;
}

} // namespace urdiva
