// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <vector>

namespace urdiva {

// The sums of the weights of many links, each kept exact while it can be: as an integer count of
// a power of ten of its own (0.1 + 0.2 is 3 tenths), in 128 bits, while its weights are decimals
// and it fits 36 digits at that power; beyond that as a compensated sum of doubles, whose error
// does not grow with the number of weights. One link's weights never make another's inexact.
class WeightSums {
public:
    // GCC's and Clang's 128-bit integer (MinGW's too); `__extension__` keeps -Wpedantic quiet.
    __extension__ using Units = __int128;

    // A new sum, of no weight yet: its index.
    size_t make();
    // Adds a weight that isNumber() accepts to a sum.
    void add(size_t sum, QByteArrayView weight);
    bool isFinite(size_t sum) const;
    // A sum as a weight, in `buffer`: exact decimals in full (no needless fraction or exponent),
    // else at most 15 significant digits.
    QByteArrayView text(size_t sum, char (&buffer)[48]) const;

private:
    bool addExactly(size_t sum, QByteArrayView weight);
    void stopBeingExact(size_t sum);
    // An inexact sum's double and what the additions to it lost, kept in its Units.
    struct Inexact {
        double value;
        double compensation;
    };
    Inexact inexact(size_t sum) const;
    void setInexact(size_t sum, Inexact value);

    // Each sum times 10^its scale, while exact; else its Inexact.
    std::vector<Units> m_units;
    std::vector<qint8> m_scales; // kInexact once not exact
    static constexpr qint8 kInexact = -1;
};

} // namespace urdiva
