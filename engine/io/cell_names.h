// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>

#include <vector>

namespace urdiva {

// One name of a cell that lists several, with its key as RecordLine::key gives a field's.
struct CellName {
    QByteArrayView key;
    bool keyIsText;
};

// The names a field's cell lists, separated by `separator`, without the spaces and tabs around
// them; empty names are left out. The key is that of the field (its raw bytes, or its UTF-16
// code units). A field cut on its bytes is split on them when the separator is ASCII, which no
// multi-byte letter holds; otherwise it is decoded into `storage` first, which must outlive the
// names.
void splitCell(QByteArrayView key, bool keyIsText, QChar separator, std::vector<CellName>& names,
               QString& storage);

} // namespace urdiva
