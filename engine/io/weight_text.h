// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace urdiva {

// A weight written with a decimal comma and optional thousands points (2,5 or 1.234,5 or 1.234)
// as network readers take it (2.5, 1234.5, 1234): a view of `storage`, which it fills; any other
// text is returned as it is.
QByteArrayView withDecimalPoint(QByteArrayView weight, QByteArray& storage);

// Whether the weight is written as a number: an optional sign, digits with at most one decimal
// point, and an optional exponent.
bool hasNumberSyntax(QByteArrayView weight);
// Whether network readers read the weight as a number, and a finite one: written as a number and
// within the range of a double (1e999 is not; 1e-999 is, as 0).
bool isNumber(QByteArrayView weight);

} // namespace urdiva
