// SPDX-License-Identifier: MIT
#include "engine/io/data_file.h"

#include "engine/io/workbook.h"

namespace urdiva {

std::unique_ptr<LineReader> openDataFile(const QString& path, const QString& sheet)
{
    if (isWorkbookPath(path))
        return std::make_unique<LineReader>(sheetText(path, sheet), path);
    return std::make_unique<LineReader>(path);
}

void readWorkbookAsText(ConversionSettings& settings)
{
    if (!isWorkbookPath(settings.inputPath))
        return;
    settings.separator = kSheetSeparator;
    settings.quotedFields = true;
    settings.decimalComma = false;
}

} // namespace urdiva
