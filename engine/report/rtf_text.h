// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QStringView>

namespace urdiva {

// The start of an RTF document whose paragraphs are in "MS Sans Serif", 8 points, Windows-1252,
// in the default (window text) colour.
QByteArray rtfDocumentStart();
// Ends a paragraph; the document's last paragraph is followed by rtfDocumentEnd().
inline constexpr char kRtfParagraphEnd[] = "\\par\r\n";
inline constexpr char kRtfDocumentEnd[] = "}\r\n";

// Text as RTF shows it exactly: backslash and braces escaped, a tab as \tab, and every other
// code unit outside printable ASCII as \uN followed by its Windows-1252 byte (or "?") for readers
// that do not know \u.
QByteArray rtfText(QStringView text);

} // namespace urdiva
