// SPDX-License-Identifier: MIT
#pragma once

// Plain reference implementations that tests, fuzzers and benches measure the product against:
// each follows its rule directly, without the product's shortcuts.

#include <QString>
#include <QStringList>
#include <QStringView>

namespace urdiva {

class OutputBuffer;

namespace reference {

// All fields of a line in their marked form: every separator becomes "¶", CR, "¶", and the
// result is cut at every CR, LF and CR LF; an empty result gives no field, a break at the very
// end no empty last field.
QStringList splitRecord(QStringView line, QChar separator);

// The network text's lines, without their CR LF.
QStringList networkLines(const OutputBuffer& text);

// The edit distance of two texts by the plain method: common prefix and suffix set aside, then
// one row of the table.
int editDistance(QStringView a, QStringView b);
// 1 - editDistance / longer length; with foldCase the 26 ASCII capitals count as their small
// letters.
double similarity(QStringView a, QStringView b, bool foldCase);

// The distance of two texts through PatternDistance, after setting aside their common prefix
// and suffix as the plain method does; some value above maxDistance when it exceeds it.
int boundedEditDistance(QStringView a, QStringView b, int maxDistance);

// The report's lines for the first-mode vertices (normal forms) in their order, by the plain
// double loop over every pair with the plain similarity measure.
QStringList similarityReportLines(const QStringList& vertices, int threshold);

// The product's RTF report of the first-mode vertices at similarityReportPath(outputPath), as a
// run writes it.
void writeFirstModeReport(const QStringList& firstModeVertices, int threshold,
                          const QString& outputPath);

// Writes a report document holding the given lines, one paragraph each.
void writeReportDocument(const QString& path, const QStringList& lines);

} // namespace reference
} // namespace urdiva
