// SPDX-License-Identifier: MIT
#include "reference.h"

#include "engine/core/messages.h"
#include "engine/io/field_marker.h"
#include "engine/network/network_text.h"
#include "engine/report/report_file.h"
#include "engine/report/report_format.h"
#include "engine/report/similarity.h"

#include <QLocale>

namespace urdiva::reference {

QStringList splitRecord(QStringView line, QChar separator)
{
    QString marked;
    for (const QChar c : line) {
        if (c == separator)
            marked += QString(kFieldMarker) + u'\r' + kFieldMarker;
        else
            marked += c;
    }
    QStringList pieces;
    QString piece;
    bool open = false;
    for (qsizetype i = 0; i < marked.size(); ++i) {
        const QChar c = marked[i];
        if (c == u'\r' || c == u'\n') {
            pieces << piece;
            piece.clear();
            open = false;
            if (c == u'\r' && i + 1 < marked.size() && marked[i + 1] == u'\n')
                ++i;
        } else {
            piece += c;
            open = true;
        }
    }
    if (open)
        pieces << piece;
    return pieces;
}

QStringList networkLines(const NetworkText& text)
{
    QStringList lines = QString::fromUtf8(text.utf8()).split(QStringLiteral("\r\n"));
    lines.removeLast(); // the text ends with a break
    return lines;
}

int boundedEditDistance(QStringView a, QStringView b, int maxDistance)
{
    QStringView longer = a.size() >= b.size() ? a : b;
    QStringView shorter = a.size() >= b.size() ? b : a;
    while (!shorter.isEmpty() && longer.front() == shorter.front()) {
        longer = longer.sliced(1);
        shorter = shorter.sliced(1);
    }
    while (!shorter.isEmpty() && longer.back() == shorter.back()) {
        longer.chop(1);
        shorter.chop(1);
    }
    return PatternDistance(shorter)(longer, maxDistance);
}

QStringList similarityReportLines(const QStringList& vertices, int threshold)
{
    const QLocale locale;
    QStringList names;
    for (const QString& vertex : vertices)
        names << removeMarkers(vertex);
    QStringList lines {messages::reportTitle(), messages::reportDashLine()};
    qint64 count = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        for (qsizetype j = i + 1; j < names.size(); ++j) {
            const double percentage = similarityPercentage(Similarity(names[i], names[j], true));
            if (percentage >= threshold) {
                lines << u'|' + names[i] + QStringLiteral("| -> |") + names[j] +
                             QStringLiteral("| = ") + formatPercentage(percentage, locale) + u'%';
                ++count;
            }
        }
    }
    if (count > 0)
        lines << messages::reportDashLine();
    lines << messages::reportClosingLine(count, threshold);
    return lines;
}

void writeReportDocument(const QString& path, const QStringList& lines)
{
    OutputFiles files;
    ReportFile file(files.create(path, Replace::Allowed));
    for (const QString& line : lines)
        file.paragraph(line);
    file.finish();
    (void)files.commit(); // always true where replacing is allowed
}

} // namespace urdiva::reference
