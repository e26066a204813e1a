// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>
#include <QStringView>

namespace urdiva {

// The column names of a data file: its first line cut at every separator. Two separators in a
// row give an empty name, a separator at the very end gives no name after it, and an empty
// line gives none.
// With quoted fields, the names are the fields' texts (see RecordFields::splitQuoted).
QStringList columnNames(QStringView firstLine, QChar separator, bool quotedFields = false);

} // namespace urdiva
