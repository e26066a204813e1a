// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QString>

namespace urdiva {

// Decodes data-file bytes: every valid UTF-8 sequence as UTF-8, every other byte as Windows-1252
// (its five unassigned bytes map to the same code points). Deciding per sequence reads both
// UTF-8 files and files saved in the Windows code page right, even mixed in one line.
QString decodeText(QByteArrayView bytes);

// The same, reusing the storage of `out`.
void decodeTextInto(QByteArrayView bytes, QString& out);

// The Windows-1252 byte of a code unit, or -1 when the code page has none for it.
int windows1252Byte(char16_t c);

} // namespace urdiva
