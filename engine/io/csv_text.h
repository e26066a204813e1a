// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

namespace urdiva {

// A CSV field (RFC 4180) in UTF-8: quoted, with its quotation marks doubled, when it holds a
// comma, a quotation mark or a line break.
QByteArray csvField(QByteArrayView utf8);

// The fields of one CSV line (RFC 4180, comma-separated, no line break inside a field), or
// nothing when its quotation marks are not those of a CSV line.
std::optional<QStringList> csvFields(QStringView line);

} // namespace urdiva
