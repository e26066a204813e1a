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
    if (!m_exact) {
        m_values.push_back(0);
        m_compensations.push_back(0);
        return m_values.size() - 1;
    }
    m_units.push_back(0);
    return m_units.size() - 1;
}

bool WeightSums::addExactly(size_t sum, QByteArrayView weight)
{
    Units units = 0;
    int scale = 0;
    if (!decimalOf(weight, units, scale))
        return false;
    if (scale > m_scale) {
        // Every sum counts in the finer unit from now on (at most 36 times in all), unless one
        // of them would not fit: then none does.
        Units unused = 0;
        if (!std::all_of(m_units.begin(), m_units.end(),
                         [&](Units other) { return scaled(other, scale - m_scale, unused); }))
            return false;
        for (Units& other : m_units)
            other *= power(scale - m_scale);
        m_scale = scale;
    } else if (!scaled(units, m_scale - scale, units)) {
        return false;
    }
    const Units total = m_units[sum] + units; // both below 10^36 in size: no overflow
    if (total <= -kLimit || total >= kLimit)
        return false;
    m_units[sum] = total;
    return true;
}

void WeightSums::stopBeingExact()
{
    m_exact = false;
    const double unit = std::pow(10.0, -m_scale);
    m_values.resize(m_units.size());
    m_compensations.assign(m_units.size(), 0);
    for (size_t k = 0; k < m_units.size(); ++k)
        m_values[k] = double(m_units[k]) * unit;
    m_units = std::vector<Units>();
}

void WeightSums::add(size_t sum, QByteArrayView weight)
{
    if (m_exact) {
        // A failed exact addition leaves the sums as they were before it.
        if (addExactly(sum, weight))
            return;
        stopBeingExact();
    }
    // Neumaier's summation.
    const double value = weightValue(weight);
    double& total = m_values[sum];
    const double next = total + value;
    m_compensations[sum] +=
        std::abs(total) >= std::abs(value) ? (total - next) + value : (value - next) + total;
    total = next;
}

bool WeightSums::isFinite(size_t sum) const
{
    return m_exact || std::isfinite(m_values[sum] + m_compensations[sum]);
}

QByteArrayView WeightSums::text(size_t sum, char (&buffer)[48]) const
{
    if (!m_exact) {
        char inexact[32];
        const QByteArrayView written = weightText(m_values[sum] + m_compensations[sum], inexact);
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
    const int scale = m_scale;
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
