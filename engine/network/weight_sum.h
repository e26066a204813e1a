// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QtGlobal>

namespace urdiva {

// A sum of weights, kept exact: as an integer count of a power of ten (0.1 + 0.2 is 3 tenths)
// while every weight is a decimal whose digits, and the sum's, fit 36 digits; beyond that as a
// compensated sum of doubles, whose error does not grow with the number of weights.
class WeightSum {
public:
    // GCC's and Clang's 128-bit integer (MinGW's too); `__extension__` keeps -Wpedantic quiet.
    __extension__ using Units = __int128;

    // Adds a weight that isNumber() accepts, whose value is `value`.
    void add(QByteArrayView weight, double value);
    bool isFinite() const;
    // The sum as a weight, in `buffer`: exact decimals in full (no needless fraction or
    // exponent), else at most 15 significant digits.
    QByteArrayView text(char (&buffer)[48]) const;

private:
    bool addExactly(QByteArrayView weight);

    Units m_units = 0; // the sum times 10^m_scale, while exact
    qint8 m_scale = 0;
    bool m_exact = true;
    double m_sum = 0;
    double m_compensation = 0; // what the additions to m_sum lost
};

} // namespace urdiva
