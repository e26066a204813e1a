// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/io/line_reader.h"

#include <memory>

namespace urdiva {

// The data file's lines: a text file's own, or a workbook's sheet as the delimited text of a
// file with quoted fields (see sheetText).
std::unique_ptr<LineReader> openDataFile(const QString& path, const QString& sheet);

// A workbook's rows are read as that text, cut at kSheetSeparator with quoted fields: the
// settings say so. Nothing changes for a text file.
void readWorkbookAsText(ConversionSettings& settings);

} // namespace urdiva
