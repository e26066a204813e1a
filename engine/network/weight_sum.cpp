// SPDX-License-Identifier: MIT
#include "engine/network/weight_sum.h"

#include "engine/network/link_merger.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace urdiva {
namespace {

using Units = WeightSum::Units;

constexpr int kMaxDigits = 36;

constexpr Units power(int exponent)
{
    Units value = 1;
    while (exponent-- > 0)
        value *= 10;
    return value;
}

constexpr Units kLimit = power(kMaxDigits);

bool scaled(Units value, int by, Units& out)
{
    return by >= 0 && by <= kMaxDigits && !__builtin_mul_overflow(value, power(by), &out) &&
           out > -kLimit && out < kLimit;
}

// The weight as `units` times 10^-scale; false when that does not fit.
bool decimalOf(QByteArrayView weight, Units& units, int& scale)
{
    qsizetype i = 0;
    const bool negative = !weight.isEmpty() && weight[0] == '-';
    if (!weight.isEmpty() && (weight[0] == '-' || weight[0] == '+'))
        ++i;
    Units digits = 0;
    int fraction = 0;
    bool point = false;
    for (; i < weight.size(); ++i) {
        const char c = weight[i];
        if (c == '.') {
            point = true;
        } else if (c >= '0' && c <= '9') {
            if (!scaled(digits, 1, digits) || (digits += c - '0') >= kLimit)
                return false;
            fraction += point;
        } else {
            break; // the exponent
        }
    }
    int exponent = 0;
    if (i < weight.size()) {
        const char* begin = weight.data() + i + 1;
        if (*begin == '+')
            ++begin;
        const auto [end, error] = std::from_chars(begin, weight.data() + weight.size(), exponent);
        if (error != std::errc() || end != weight.data() + weight.size())
            return false;
    }
    scale = fraction - exponent;
    if (scale < 0) {
        if (!scaled(digits, -scale, digits))
            return false;
        scale = 0;
    }
    units = negative ? -digits : digits;
    return scale <= kMaxDigits;
}

} // namespace

bool WeightSum::addExactly(QByteArrayView weight)
{
    Units units = 0;
    int scale = 0;
    if (!decimalOf(weight, units, scale))
        return false;
    if (scale > m_scale) {
        if (!scaled(m_units, scale - m_scale, m_units))
            return false;
        m_scale = qint8(scale);
    } else if (!scaled(units, m_scale - scale, units)) {
        return false;
    }
    m_units += units; // both below 10^36 in size: no overflow
    return m_units > -kLimit && m_units < kLimit;
}

void WeightSum::add(QByteArrayView weight, double value)
{
    if (m_exact)
        m_exact = addExactly(weight);
    // Neumaier's summation, for when the sum is no longer exact.
    const double sum = m_sum + value;
    m_compensation +=
        std::abs(m_sum) >= std::abs(value) ? (m_sum - sum) + value : (value - sum) + m_sum;
    m_sum = sum;
}

bool WeightSum::isFinite() const
{
    return m_exact || std::isfinite(m_sum + m_compensation);
}

QByteArrayView WeightSum::text(char (&buffer)[48]) const
{
    if (!m_exact) {
        char inexact[32];
        const QByteArrayView written = weightText(m_sum + m_compensation, inexact);
        std::memcpy(buffer, written.data(), size_t(written.size()));
        return QByteArrayView(buffer, written.size());
    }
    // The digits of the sum's size, last first, then in order with the point put in.
    __extension__ using Magnitude = unsigned __int128;
    Magnitude magnitude = m_units < 0 ? Magnitude(-m_units) : Magnitude(m_units);
    char digits[48];
    int count = 0;
    do {
        digits[count++] = char('0' + int(magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    int scale = m_scale;
    int trailing = 0; // zeros of the fraction that need not be written
    while (trailing < scale && (trailing >= count || digits[trailing] == '0'))
        ++trailing;
    char* out = buffer;
    if (m_units < 0)
        *out++ = '-';
    for (int k = std::max(count, scale + 1) - 1; k >= trailing; --k) {
        *out++ = k < count ? digits[k] : '0';
        if (k == scale && k > trailing)
            *out++ = '.';
    }
    return QByteArrayView(buffer, out);
}

} // namespace urdiva
