// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>

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

} // namespace urdiva
