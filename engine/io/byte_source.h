// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <cstddef>

namespace urdiva {

// Bytes that a LineReader reads as it reads a file: the delimited text that a workbook's sheet
// is turned into, say. Failures raise RunError.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `room` bytes into `to`; 0 at the end.
    virtual size_t read(char* to, size_t room) = 0;
    // The cells that held an error (#N/A, #DIV/0!…) and were read as empty, so far.
    virtual qint64 errorCells() const { return 0; }
};

} // namespace urdiva
