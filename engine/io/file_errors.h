// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace urdiva {

// The text shown when the data file cannot be opened or read, from the system's error number:
// "File not found", "Invalid filename", "Too many open files", "File access denied", or
// "I/O error N" with the number itself.
QString inputFileErrorText(int errorNumber, const QString& path);

} // namespace urdiva
