// SPDX-License-Identifier: MIT
#pragma once

#include "engine/io/byte_source.h"
#include "engine/io/sheet_rows.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace urdiva {

// A spreadsheet workbook, .xlsx (Office Open XML) or .ods (OpenDocument), read as its sheets'
// rows. A file that is neither, damaged, or protected by a password raises a RunError.
class Workbook {
public:
    virtual ~Workbook() = default;
    virtual QStringList sheetNames() const = 0;
    virtual const QString& path() const = 0;
    // The rows of the sheet at `index` (from 0), read as a stream: a workbook reads one sheet at
    // a time.
    virtual std::unique_ptr<SheetRows> rows(int index) = 0;
};

// Whether the path names a workbook, by its extension (.xlsx, .ods, in any case).
bool isWorkbookPath(const QString& path);
std::unique_ptr<Workbook> openWorkbook(const QString& path);

// The sheet a choice names: a sheet's name, else its number from 1; the first when the choice
// is empty. A sheet that is not there raises a RunError naming those that are.
int sheetIndex(const Workbook& workbook, const QString& choice);

// The separator between the fields of a sheet's rows as text: no character a cell holds is
// taken for it (a cell that holds it is quoted), and no one chooses it to list names in a cell.
inline constexpr QChar kSheetSeparator = QChar(0x1F);

// A sheet's rows as the delimited text of a file with quoted fields (RFC 4180, fields quoted
// where they hold the separator, a quotation mark or a line break), cut at kSheetSeparator:
// each row padded with empty cells to the sheet's widest, the rows between those that hold
// something as empty lines. The text is made as it is read, a row at a time.
std::unique_ptr<ByteSource> sheetText(const QString& path, const QString& sheet);

} // namespace urdiva
