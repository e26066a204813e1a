// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace urdiva {

// Writes the report of the first-mode vertices (normal forms, in their order) at
// similarityReportPath(outputPath): the title, a dash line, one line per pair of names whose
// similarity in percent reaches the threshold, and the closing lines, streamed to the file as
// they are measured.
void SimilarityReport(const QStringList& firstModeVertices, int threshold,
                      const QString& outputPath);

} // namespace urdiva
