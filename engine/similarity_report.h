#pragma once

#include "paths.h"

#include <QLocale>
#include <QString>
#include <QStringList>

namespace urdiva {

// Where the report for an output path goes: its folder, "Similaridade_", its base name and
// ".rtf". An output path without a folder puts the report in the current folder, beside the
// network file, rather than at the root.
QString similarityReportPath(const QString& outputPath, const PathRules& rules = PathRules::host());

// A percentage as "#,##0.00" in the locale: taken to 18 significant digits, then to two decimals
// with a third decimal of 5 or more rounding up (90.625 gives 90,63 in pt_BR).
QString formatPercentage(double value, const QLocale& locale);

// The report's lines for the first-mode vertices (normal forms) in their order: the title, a
// dash line, one line per pair of names whose similarity in percent reaches the threshold, and
// the closing lines. This is the plain double loop, kept as the measure of the fast report.
QStringList similarityReportLinesReference(const QStringList& vertices, int threshold);

// Writes a report document holding the given lines, one paragraph each.
void writeReportDocument(const QString& path, const QStringList& lines);

// Writes the report of the first-mode vertices at similarityReportPath(outputPath): the same
// document as the reference lines give, measured on every core, streamed to the file.
void SimilarityReport(const QStringList& firstModeVertices, int threshold,
                      const QString& outputPath);

} // namespace urdiva
