#include "similarity_report.h"

#include "field_marker.h"
#include "messages.h"
#include "pair_measure.h"
#include "report_file.h"
#include "report_format.h"

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
