// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QStringView>

namespace urdiva {

// The name without markers as XML text, fit for an attribute value too: the five special
// characters and the white space an attribute would turn into spaces as character references,
// and characters XML cannot hold (controls, lone surrogates, U+FFFE, U+FFFF) as U+FFFD, which
// `changed` counts once per name.
QByteArray xmlText(QStringView name, qsizetype& changed);

// A number's decimal digits appended to `line`.
void appendNumber(QByteArray& line, qint64 value);

} // namespace urdiva
