// SPDX-License-Identifier: MIT
#include "engine/network/weight_sum.h"

#include "engine/network/link_merger.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace urdiva {
namespace {

using Units = WeightSums::Units;

constexpr int kMaxDigits = 36;

constexpr std::array<Units, kMaxDigits + 1> kPowers = [] {
    std::array<Units, kMaxDigits + 1> powers {};
    Units value = 1;
    for (Units& power : powers) {
        power = value;
        value *= 10;
    }
    return powers;
}();

constexpr Units kLimit = kPowers[kMaxDigits];

Units power(int exponent)
{
    return kPowers[size_t(exponent)];
}

bool scaled(Units value, int by, Units& out)
{
    if (by == 0) {
        out = value;
        return true;
    }
    return by > 0 && by <= kMaxDigits && !__builtin_mul_overflow(value, power(by), &out) &&
           out > -kLimit && out < kLimit;
}

// The weight as `units` times 10^-scale; false when that does not fit.
bool decimalOf(QByteArrayView weight, Units& units, int& scale)
{
    qsizetype i = 0;
    const bool negative = !weight.isEmpty() && weight[0] == '-';
    if (!weight.isEmpty() && (weight[0] == '-' || weight[0] == '+'))
        ++i;
    // Most weights have few digits: they are gathered in 64 bits, and only longer ones in 128.
    quint64 small = 0;
    Units digits = 0;
    int count = 0;
    int fraction = 0;
    bool point = false;
    for (; i < weight.size(); ++i) {
        const char c = weight[i];
        if (c == '.') {
            point = true;
        } else if (c >= '0' && c <= '9') {
            if (small != 0 || digits != 0)
                ++count;
            if (count < 18) {
                small = small * 10 + quint64(c - '0');
            } else {
                if (count == 18)
                    digits = Units(small);
                if (count >= kMaxDigits)
                    return false;
                digits = digits * 10 + (c - '0');
            }
            fraction += point;
        } else {
            break; // the exponent
        }
    }
    if (count < 18)
        digits = Units(small);
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

size_t WeightSums::make()
{
    m_units.push_back(0);
    m_scales.push_back(0);
    return m_units.size() - 1;
}

WeightSums::Inexact WeightSums::inexact(size_t sum) const
{
    static_assert(sizeof(Inexact) <= sizeof(Units));
    Inexact value;
    std::memcpy(&value, &m_units[sum], sizeof value);
    return value;
}

void WeightSums::setInexact(size_t sum, Inexact value)
{
    std::memcpy(&m_units[sum], &value, sizeof value);
}

bool WeightSums::addExactly(size_t sum, QByteArrayView weight)
{
    Units units = 0;
    int scale = 0;
    if (!decimalOf(weight, units, scale))
        return false;
    Units total = m_units[sum];
    const int sumScale = m_scales[sum];
    // The sum counts in the finer unit of the two from now on, if it fits.
    if (scale > sumScale) {
        if (!scaled(total, scale - sumScale, total))
            return false;
    } else if (!scaled(units, sumScale - scale, units)) {
        return false;
    }
    total += units; // both below 10^36 in size: no overflow
    if (total <= -kLimit || total >= kLimit)
        return false;
    m_units[sum] = total;
    m_scales[sum] = qint8(std::max(scale, sumScale));
    return true;
}

void WeightSums::stopBeingExact(size_t sum)
{
    // The exact sum's nearest double, read from its decimal text.
    char buffer[48];
    const QByteArrayView exact = text(sum, buffer);
    m_scales[sum] = kInexact;
    setInexact(sum, {weightValue(exact), 0});
}

void WeightSums::add(size_t sum, QByteArrayView weight)
{
    if (m_scales[sum] != kInexact) {
        // A failed exact addition leaves the sum as it was before it.
        if (addExactly(sum, weight))
            return;
        stopBeingExact(sum);
    }
    // Neumaier's summation.
    const double value = weightValue(weight);
    Inexact now = inexact(sum);
    const double next = now.value + value;
    now.compensation += std::abs(now.value) >= std::abs(value) ? (now.value - next) + value
                                                               : (value - next) + now.value;
    now.value = next;
    setInexact(sum, now);
}

bool WeightSums::isFinite(size_t sum) const
{
    if (m_scales[sum] != kInexact)
        return true;
    const Inexact now = inexact(sum);
    return std::isfinite(now.value + now.compensation);
}

QByteArrayView WeightSums::text(size_t sum, char (&buffer)[48]) const
{
    if (m_scales[sum] == kInexact) {
        const Inexact now = inexact(sum);
        char digits[32];
        const QByteArrayView written = weightText(now.value + now.compensation, digits);
        std::memcpy(buffer, written.data(), size_t(written.size()));
        return QByteArrayView(buffer, written.size());
    }
    // The digits of the sum's size, last first, then in order with the point put in.
    const Units units = m_units[sum];
    __extension__ using Magnitude = unsigned __int128;
    Magnitude magnitude = units < 0 ? Magnitude(-units) : Magnitude(units);
    char digits[48];
    int count = 0;
    do {
        digits[count++] = char('0' + int(magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    const int scale = m_scales[sum];
    int trailing = 0; // zeros of the fraction that need not be written
    while (trailing < scale && (trailing >= count || digits[trailing] == '0'))
        ++trailing;
    char* out = buffer;
    if (units < 0)
        *out++ = '-';
    for (int k = std::max(count, scale + 1) - 1; k >= trailing; --k) {
        *out++ = k < count ? digits[k] : '0';
        if (k == scale && k > trailing)
            *out++ = '.';
    }
    return QByteArrayView(buffer, out);
}

} // namespace urdiva
