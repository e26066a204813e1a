// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <vector>

namespace urdiva {

// A sheet's rows as they are read, one at a time: the rows that hold something, in order, each
// with its number (from 1) and its cells' texts by column (from 0; an empty text where a cell is
// empty or absent). How a cell becomes text is the reader's (see cell_text.h).
class SheetRows {
public:
    virtual ~SheetRows() = default;
    // The next row; false after the last.
    virtual bool next(qint64& number, std::vector<QString>& cells) = 0;
    // Cells that held an error (#N/A, #DIV/0!…), read as empty, so far.
    qint64 errorCells() const { return m_errorCells; }

protected:
    qint64 m_errorCells = 0;
};

} // namespace urdiva
