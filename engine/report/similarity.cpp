// SPDX-License-Identifier: MIT
#include "engine/report/similarity.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace urdiva {

namespace {

// The ratio and the percentage are rounded to a 64-bit significand at each step, then to double,
// so that reports keep the percentages they have always shown (x87's extended precision, which
// other processors and compilers do not have). Both are computed here exactly with integers
// instead, rounding to nearest, ties to even, as that hardware does, so every platform gives the
// same bits.

// `value` rounded to `bits` significant bits (nearest, ties to even), and the shift that was
// applied: the result times 2^shift is the rounded value. `value` is not 0.
struct Rounded {
    uint64_t mantissa;
    int shift;
};

Rounded roundToBits(uint64_t value, int bits)
{
    int top = 63;
    while (!(value >> top & 1))
        --top;
    if (top < bits)
        return {value, 0};
    const int shift = top - bits + 1;
    uint64_t mantissa = value >> shift;
    const uint64_t rest = value & ((uint64_t(1) << shift) - 1);
    const uint64_t half = uint64_t(1) << (shift - 1);
    if (rest > half || (rest == half && (mantissa & 1)))
        ++mantissa; // may reach 2^bits, which is still exact
    return {mantissa, shift};
}

// The double nearest to value * 2^exponent.
double toDouble(uint64_t value, int exponent)
{
    if (value == 0)
        return 0.0;
    const Rounded r = roundToBits(value, 53);
    return std::ldexp(double(r.mantissa), r.shift + exponent);
}

// 1 - d / l with a 64-bit significand after the division and after the subtraction, as
// value * 2^-64 (value up to 2^64 - 1), or exactly 1 as `one`.
struct Complement {
    uint64_t value;
    bool one;
};

Complement complementOfQuotient(uint64_t d, uint64_t l)
{
    if (d == 0)
        return {0, true};
    if (d >= l)
        return {0, false};
    // The quotient's bits after the binary point, by long division: the first 1 and the 63 after
    // it make the significand m, so that d / l is about m * 2^-t; then a rounding bit and
    // whether anything is left.
    uint64_t m = 0;
    uint64_t rem = d;
    int t = 0;
    int kept = 0;
    while (kept < 64) {
        rem <<= 1;
        const bool bit = rem >= l;
        if (bit)
            rem -= l;
        ++t;
        if (kept > 0 || bit) {
            m = m << 1 | uint64_t(bit);
            ++kept;
        }
    }
    rem <<= 1;
    const bool roundBit = rem >= l;
    if (roundBit)
        rem -= l;
    if (roundBit && (rem != 0 || (m & 1))) {
        if (++m == 0) { // 2^64: the quotient is 2^-(t-64), one bit shorter
            m = uint64_t(1) << 63;
            --t;
        }
    }
    // 1 - m * 2^-t = (2^t - m) * 2^-t. With t = 64 that is exact in 64 bits. Above, its top
    // t - 64 bits are ones, followed by the 64 bits of 2^64 - m, and it is rounded to 64 bits.
    const uint64_t low = uint64_t(0) - m; // 2^64 - m, in 64 bits
    const int s = t - 64;
    if (s == 0)
        return {low, false};
    uint64_t value = ~uint64_t(0) << (64 - s) | low >> s;
    const uint64_t rest = low & ((uint64_t(1) << s) - 1);
    const uint64_t half = uint64_t(1) << (s - 1);
    if (rest > half || (rest == half && (value & 1))) {
        if (++value == 0)
            return {0, true};
    }
    return {value, false};
}

} // namespace

QString foldAsciiCase(QStringView text)
{
    QString out = text.toString();
    for (QChar& c : out) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    }
    return out;
}

double similarityRatio(int distance, int longest)
{
    if (longest == 0)
        return 1.0;
    const Complement c = complementOfQuotient(uint64_t(distance), uint64_t(longest));
    return c.one ? 1.0 : toDouble(c.value, -64);
}

double similarityPercentage(double ratio)
{
    // The ratio's 53-bit significand times 100 takes at most 60 bits: exact with 64, so the
    // product is rounded once, to double.
    int exponent = 0;
    const double fraction = std::frexp(ratio, &exponent);
    const uint64_t mantissa = uint64_t(std::ldexp(fraction, 53));
    return toDouble(mantissa * 100, exponent - 53);
}

PatternDistance::PatternDistance(QStringView pattern)
    : m_length(int(pattern.size()))
    , m_words(size_t((pattern.size() + 63) / 64))
    , m_low(256 * m_words, 0)
    , m_vp(m_words)
    , m_vn(m_words)
    , m_eq(m_words)
{
    // Code units from 256 up keep their positions rather than masks, so that a long pattern
    // of many different letters costs memory in its length, not its length squared.
    std::vector<std::pair<char16_t, int>> high;
    for (qsizetype k = 0; k < pattern.size(); ++k) {
        const char16_t c = pattern[k].unicode();
        if (c < 256)
            m_low[size_t(c) * m_words + size_t(k / 64)] |= uint64_t(1) << (k % 64);
        else
            high.emplace_back(c, int(k));
    }
    std::sort(high.begin(), high.end());
    for (const auto& [c, k] : high) {
        if (m_highChars.empty() || m_highChars.back() != c) {
            m_highChars.push_back(c);
            m_highStart.push_back(m_highPositions.size());
        }
        m_highPositions.push_back(k);
    }
    m_highStart.push_back(m_highPositions.size());
    for (std::vector<uint64_t>& buffer : m_highMasks)
        buffer.resize(m_words);
}

const uint64_t* PatternDistance::masks(char16_t c, int slot) const
{
    if (c < 256)
        return m_low.data() + size_t(c) * m_words;
    const auto it = std::lower_bound(m_highChars.begin(), m_highChars.end(), c);
    if (it == m_highChars.end() || *it != c)
        return nullptr;
    const size_t index = size_t(it - m_highChars.begin());
    std::vector<uint64_t>& mask = m_highMasks[slot];
    std::fill(mask.begin(), mask.end(), 0);
    for (size_t p = m_highStart[index]; p < m_highStart[index + 1]; ++p) {
        const int k = m_highPositions[p];
        mask[size_t(k / 64)] |= uint64_t(1) << (k % 64);
    }
    return mask.data();
}

// Myers' bit-parallel edit distance, in Hyyrö's form: the text's code units are the rows, the
// pattern's the columns, 64 columns to a machine word. The plain table is Levenshtein's with a
// wider notion of a match: a cell matches when its characters are equal or close a swapped pair.
// Whenever a cell matches, its diagonal neighbour is also the smallest candidate, since
// neighbouring cells differ by at most 1; so the table is Levenshtein's with that match relation,
// and the bit-parallel method applies once a row's match mask includes the swaps: columns k where
// pattern[k-1] = text[i] and pattern[k] = text[i-1]. The relation is the same with the texts'
// roles exchanged, so either may be the pattern.
int PatternDistance::operator()(QStringView text, int maxDistance) const
{
    const qsizetype n = text.size();
    const int m = m_length;
    if (m == 0)
        return int(n);
    if (n == 0)
        return m;
    if (std::abs(int(n) - m) > maxDistance)
        return maxDistance + 1;
    int score = m;
    if (m_words == 1) {
        const uint64_t last = uint64_t(1) << (m - 1);
        uint64_t vp = ~uint64_t(0);
        uint64_t vn = 0;
        uint64_t previous = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = text[i].unicode();
            const uint64_t* found = c < 256 ? &m_low[c] : masks(c, int(i % 2));
            const uint64_t current = found ? *found : 0;
            const uint64_t eq = current | ((current << 1) & previous);
            previous = current;
            const uint64_t x = eq | vn;
            const uint64_t d0 = (((x & vp) + vp) ^ vp) | x;
            uint64_t hp = vn | ~(d0 | vp);
            const uint64_t hn = vp & d0;
            score += int((hp & last) != 0) - int((hn & last) != 0);
            hp = (hp << 1) | 1; // the first column grows by one each row
            vp = (hn << 1) | ~(d0 | hp);
            vn = hp & d0;
            // The last column changes by at most one per remaining row.
            if (score - (n - 1 - i) > maxDistance)
                return maxDistance + 1;
        }
        return score;
    }
    const size_t words = m_words;
    const int lastBit = (m - 1) % 64;
    std::fill(m_vp.begin(), m_vp.end(), ~uint64_t(0));
    std::fill(m_vn.begin(), m_vn.end(), 0);
    const uint64_t* previous = nullptr;
    for (qsizetype i = 0; i < n; ++i) {
        // Two buffers for high code units, so that the previous row's masks stay valid.
        const uint64_t* current = masks(text[i].unicode(), int(i % 2));
        uint64_t swapCarry = 0;
        for (size_t w = 0; w < words; ++w) {
            const uint64_t here = current ? current[w] : 0;
            m_eq[w] = here | (previous ? ((here << 1) | swapCarry) & previous[w] : 0);
            swapCarry = here >> 63;
        }
        uint64_t hpCarry = 1;
        uint64_t hnCarry = 0;
        uint64_t addCarry = 0;
        for (size_t w = 0; w < words; ++w) {
            const uint64_t x = m_eq[w] | m_vn[w];
            const uint64_t xv = x & m_vp[w];
            const uint64_t sum = xv + m_vp[w];
            const uint64_t sumWithCarry = sum + addCarry;
            addCarry = uint64_t(sum < xv) | uint64_t(sumWithCarry < sum);
            const uint64_t d0 = (sumWithCarry ^ m_vp[w]) | x;
            const uint64_t hp = m_vn[w] | ~(d0 | m_vp[w]);
            const uint64_t hn = m_vp[w] & d0;
            if (w + 1 == words)
                score += int((hp >> lastBit) & 1) - int((hn >> lastBit) & 1);
            const uint64_t hpShifted = (hp << 1) | hpCarry;
            const uint64_t hnShifted = (hn << 1) | hnCarry;
            hpCarry = hp >> 63;
            hnCarry = hn >> 63;
            m_vp[w] = hnShifted | ~(d0 | hpShifted);
            m_vn[w] = hpShifted & d0;
        }
        if (score - (n - 1 - i) > maxDistance)
            return maxDistance + 1;
        previous = current;
    }
    return score;
}

} // namespace urdiva
