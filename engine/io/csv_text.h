// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace urdiva {

// A CSV field (RFC 4180) in UTF-8: quoted, with its quotation marks doubled, when it holds a
// comma, a quotation mark or a line break.
QByteArray csvField(QByteArrayView utf8);

} // namespace urdiva
