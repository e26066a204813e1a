// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <string>
#include <vector>

namespace urdiva {

// A sheet's rows as they are read, one at a time: the rows that hold something, in order, each
// with its number (from 1) and its cells' texts in UTF-8 by column (from 0; an empty text where
// a cell is empty or absent, and maybe more empty texts at the end: a reader may use the room of
// one row's texts again for the next). How a cell becomes text is the reader's (see cell_text.h).
class SheetRows {
public:
    virtual ~SheetRows() = default;
    // The next row; false after the last.
    virtual bool next(qint64& number, std::vector<std::string>& cells) = 0;
    // The number of columns the sheet says it spans, known once the first row has been read;
    // 0 when it does not say.
    virtual size_t statedWidth() const { return 0; }
    // Cells that held an error (#N/A, #DIV/0!…), read as empty, so far.
    qint64 errorCells() const { return m_errorCells; }

protected:
    qint64 m_errorCells = 0;
};

} // namespace urdiva
