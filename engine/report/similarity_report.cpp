// SPDX-License-Identifier: MIT
#include "engine/report/similarity_report.h"

#include "engine/io/field_marker.h"
#include "engine/report/pair_measure.h"
#include "engine/report/report_file.h"
#include "engine/report/report_format.h"
#include "engine/run/messages.h"

#include <QLocale>

namespace urdiva {

void SimilarityReport(const QStringList& firstModeVertices, int threshold,
                      const QString& outputPath)
{
    QStringList names;
    names.reserve(firstModeVertices.size());
    for (const QString& vertex : firstModeVertices)
        names << removeMarkers(vertex);
    ReportFile file(similarityReportPath(outputPath));
    file.paragraph(messages::reportTitle());
    file.paragraph(messages::reportDashLine());
    const qint64 count = measureSimilarPairs(names, threshold, QLocale(),
                                             [&](const QByteArray& rtf) { file.raw(rtf); });
    if (count > 0)
        file.paragraph(messages::reportDashLine());
    file.paragraph(messages::reportClosingLine(count, threshold));
    file.commit();
}

} // namespace urdiva
