// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace urdiva::test {

// A sheet's name and its rows of cells: a cell that reads as a number is written as a number,
// any other as an inline string.
using TestSheet = std::pair<QString, std::vector<QStringList>>;

// Writes the smallest .xlsx a spreadsheet program reads (the parts Urdiva reads, and their
// content types), with minizip's writer: for tests that run where Python's workbook writers do
// not (Windows).
void writeXlsx(const QString& path, const std::vector<TestSheet>& sheets);

} // namespace urdiva::test
