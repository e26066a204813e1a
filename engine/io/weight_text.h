// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace urdiva {

// A weight written with a decimal comma and optional thousands points (2,5 or 1.234,5 or 1.234)
// as network readers take it (2.5, 1234.5, 1234): a view of `storage`, which it fills. A point
// counts as a thousands point only in a whole grouping (one to three digits, not a lone 0, then
// groups of exactly three): a weight with any other point (0.125, 2.5, 1.23.456) is no number
// in that writing, and gives nothing. An exponent may follow (1,5E+03). Any other text is
// returned as it is.
std::optional<QByteArrayView> withDecimalPoint(QByteArrayView weight, QByteArray& storage);

// Whether the weight is written as a number: an optional sign, digits with at most one decimal
// point, and an optional exponent.
bool hasNumberSyntax(QByteArrayView weight);

enum class NumberRange { NotNumber, InRange, TooLarge, TooSmall };
// Where a weight written as a number stands against the doubles that network readers read it
// into: beyond the largest (1e999), or nearer to zero than the smallest normal one without
// being zero (1e-400, 1e-320), which readers refuse or read as another number.
NumberRange numberRange(QByteArrayView weight);
// Whether network readers read the weight as a number, and a finite one: numberRange() is
// InRange.
bool isNumber(QByteArrayView weight);

// The order of two weights that isNumber() accepts, by their exact decimal values: negative when
// a < b, 0 when equal (1.50 and 1.5e0 are), positive when a > b.
int compareNumbers(QByteArrayView a, QByteArrayView b);

} // namespace urdiva
