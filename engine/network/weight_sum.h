// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <vector>

namespace urdiva {

// The sums of the weights of many links, kept exact: each as an integer count of one power of
// ten shared by all (0.1 + 0.2 is 3 tenths), in 128 bits, while every weight is a decimal and
// every sum fits 36 digits at that power; beyond that as compensated sums of doubles, whose error
// does not grow with the number of weights.
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
    void stopBeingExact();

    std::vector<Units> m_units; // each sum times 10^m_scale, while exact
    int m_scale = 0;
    bool m_exact = true;
    std::vector<double> m_values; // each sum, once not exact
    std::vector<double> m_compensations; // what the additions to each lost
};

} // namespace urdiva
