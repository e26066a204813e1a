// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>

#include <algorithm>
#include <array>
#include <cstdlib>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace urdiva {

// The letters a text holds, one bit for each of 64 classes of code units. A letter class that
// one text holds and the other does not costs that text at least one edit, and an edit gives or
// takes at most one class on each side (a swap none); so the larger count of such classes is
// never more than the distance.
inline quint64 letterClasses(QStringView text)
{
    quint64 classes = 0;
    for (const QChar c : text)
        classes |= quint64(1) << ((c.unicode() * 0x9E37u) >> 10 & 63);
    return classes;
}

// The number of bits set, inline: the baseline processor may lack a popcount instruction, and a
// library call per pair costs more than these few operations.
inline int bitCount(quint64 bits)
{
    bits -= (bits >> 1) & 0x5555555555555555ull;
    bits = (bits & 0x3333333333333333ull) + ((bits >> 2) & 0x3333333333333333ull);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return int((bits * 0x0101010101010101ull) >> 56);
}

// Whether two texts with these letter classes may lie within `distance` of each other.
inline bool lettersAllow(quint64 a, quint64 b, int distance)
{
    return bitCount(a & ~b) <= distance && bitCount(b & ~a) <= distance;
}

// How many code units a text holds of each of 16 classes, up to 255. An edit changes these
// counts by two in all at most (a replaced letter leaves one class for another, an inserted or
// deleted one changes one count, a swap none), so half their total difference, rounded up, is
// never more than the distance; counts held at 255 only make the difference smaller.
using ClassCounts = std::array<quint8, 16>;

inline ClassCounts classCounts(QStringView text)
{
    ClassCounts counts {};
    for (const QChar c : text) {
        quint8& count = counts[(c.unicode() * 0x9E37u) >> 12 & 15];
        if (count < 255)
            ++count;
    }
    return counts;
}

inline int countDifference(const ClassCounts& a, const ClassCounts& b)
{
#if defined(__SSE2__)
    // One instruction sums the sixteen differences.
    const __m128i sums = _mm_sad_epu8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a.data())),
                                      _mm_loadu_si128(reinterpret_cast<const __m128i*>(b.data())));
    return _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
#else
    int sum = 0;
    for (size_t k = 0; k < a.size(); ++k)
        sum += std::abs(int(a[k]) - int(b[k]));
    return sum;
#endif
}

inline bool countsAllow(const ClassCounts& a, const ClassCounts& b, int distance)
{
    return (countDifference(a, b) + 1) / 2 <= distance;
}

// The counts in four bits each, held at 15 (which only makes their difference smaller), for
// weighing many partners from one machine word each.
inline quint64 packedCounts(const ClassCounts& counts)
{
    quint64 packed = 0;
    for (size_t k = 0; k < counts.size(); ++k)
        packed |= quint64(std::min<quint8>(counts[k], 15)) << (4 * k);
    return packed;
}

inline bool packedCountsAllow(quint64 a, quint64 b, int distance)
{
#if defined(__SSE2__)
    constexpr quint64 kLow = 0x0F0F0F0F0F0F0F0Full;
    const __m128i x = _mm_set_epi64x(qint64((a >> 4) & kLow), qint64(a & kLow));
    const __m128i y = _mm_set_epi64x(qint64((b >> 4) & kLow), qint64(b & kLow));
    const __m128i sums = _mm_sad_epu8(x, y);
    const int difference = _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
#else
    int difference = 0;
    for (int k = 0; k < 16; ++k)
        difference += std::abs(int(a >> (4 * k) & 15) - int(b >> (4 * k) & 15));
#endif
    return (difference + 1) / 2 <= distance;
}

} // namespace urdiva
