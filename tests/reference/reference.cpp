// SPDX-License-Identifier: MIT
#include "reference.h"

#include "engine/core/messages.h"
#include "engine/io/field_marker.h"
#include "engine/network/output_buffer.h"
#include "engine/report/report_file.h"
#include "engine/report/percentage_text.h"
#include "engine/report/report_paths.h"
#include "engine/report/similarity.h"
#include "engine/report/similarity_report.h"

#include <QLocale>

#include <algorithm>
#include <vector>

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

QStringList networkLines(const OutputBuffer& text)
{
    QStringList lines = QString::fromUtf8(text.utf8()).split(QStringLiteral("\r\n"));
    lines.removeLast(); // the text ends with a break
    return lines;
}

// The texts with their common prefix and suffix set aside; `longer` is a when both are equally
// long.
namespace {

struct Trimmed {
    QStringView longer;
    QStringView shorter;
};

Trimmed trim(QStringView a, QStringView b)
{
    QStringView l = a.size() >= b.size() ? a : b;
    QStringView s = a.size() >= b.size() ? b : a;
    qsizetype prefix = 0;
    while (prefix < s.size() && l[prefix] == s[prefix])
        ++prefix;
    l = l.sliced(prefix);
    s = s.sliced(prefix);
    qsizetype suffix = 0;
    while (suffix < s.size() && l[l.size() - 1 - suffix] == s[s.size() - 1 - suffix])
        ++suffix;
    return {l.first(l.size() - suffix), s.first(s.size() - suffix)};
}

} // namespace

int editDistance(QStringView a, QStringView b)
{
    const auto [L, S] = trim(a, b);
    const qsizetype n = L.size();
    const qsizetype m = S.size();
    if (m == 0)
        return int(n);
    std::vector<int> D(size_t(m) + 1);
    for (qsizetype j = 0; j <= m; ++j)
        D[size_t(j)] = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        int diag = int(i - 1);
        int cur = int(i);
        for (qsizetype j = 1; j <= m; ++j) {
            const bool match = L[i - 1] == S[j - 1] ||
                               (i > 1 && j > 1 && L[i - 1] == S[j - 2] && S[j - 1] == L[i - 2]);
            if (match)
                cur = diag;
            else
                cur = 1 + std::min({cur, diag, D[size_t(j)]});
            diag = D[size_t(j)];
            D[size_t(j)] = cur;
        }
    }
    return D[size_t(m)];
}

double similarity(QStringView a, QStringView b, bool foldCase)
{
    const int longest = int(std::max(a.size(), b.size()));
    if (longest == 0)
        return 1.0;
    const int d = foldCase ? editDistance(foldAsciiCase(a), foldAsciiCase(b)) : editDistance(a, b);
    return similarityRatio(d, longest);
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
            const double percentage = similarityPercentage(similarity(names[i], names[j], true));
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

void writeFirstModeReport(const QStringList& firstModeVertices, int threshold,
                          const QString& outputPath)
{
    ConversionSettings settings;
    settings.similarityThreshold = threshold;
    OutputFiles files;
    writeSimilarityReport({firstModeVertices, 1, {}}, settings,
                          files.create(similarityReportPath(outputPath), Replace::Allowed), false);
    (void)files.commit(); // always true where replacing is allowed
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
