// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace urdiva {

// A CSV field (RFC 4180) in UTF-8: quoted, with its quotation marks doubled, when it holds a
// comma, a quotation mark or a line break.
QByteArray csvField(QByteArrayView utf8);

// A cell of a CSV file made to be opened in a spreadsheet: a text that starts with =, +, -, @, a
// tab, a CR or an apostrophe gets a leading apostrophe, so that no spreadsheet runs it as a
// formula. fromSpreadsheetCell() gives the text back.
QString toSpreadsheetCell(const QString& text);
QString fromSpreadsheetCell(QStringView cell);

} // namespace urdiva
