// SPDX-License-Identifier: MIT
#include "engine/report/similarity_report.h"

#include "engine/core/messages.h"
#include "engine/io/atomic_file.h"
#include "engine/io/csv_text.h"
#include "engine/io/field_marker.h"
#include "engine/names/rename_table.h"
#include "engine/report/compared_text.h"
#include "engine/report/name_groups.h"
#include "engine/report/pair_measure.h"
#include "engine/report/percentage_text.h"
#include "engine/report/report_file.h"
#include "engine/report/report_paths.h"
#include "engine/report/rtf_text.h"

#include <QLocale>

#include <algorithm>
#include <cstring>
#include <tuple>

namespace urdiva {
namespace {

QByteArray html(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

QByteArray number(qint64 value)
{
    return QByteArray::number(value);
}

void writeRtf(const QStringList& printed, const QStringList& compared, int threshold,
              AtomicFile& out, NameGroups* groups)
{
    std::vector<QByteArray> rtf;
    for (const QString& name : printed)
        rtf.push_back(rtfText(name));
    const QLocale locale;
    const PercentTexts shown(compared, threshold, [&](double percentage) {
        return rtfText(QStringLiteral("| = ") + formatPercentage(percentage, locale) + u'%');
    });
    const QByteArray arrow = rtfText(QStringLiteral("| -> |"));
    ReportFile file(out);
    file.paragraph(messages::reportTitle());
    file.paragraph(messages::reportDashLine());
    const qint64 count = measureSimilarPairs(
        compared, threshold,
        [&](QByteArray& out, size_t i, size_t j, int longest, int distance) {
            out.append('|').append(rtf[i]).append(arrow).append(rtf[j]);
            shown.append(out, longest, distance);
            out.append(kRtfParagraphEnd);
        },
        groups != nullptr,
        [&](const MeasuredRow& row) {
            file.raw(row.lines);
            for (const auto& [a, b] : row.pairs)
                groups->join(a, b);
        });
    if (count > 0)
        file.paragraph(messages::reportDashLine());
    file.paragraph(messages::reportClosingLine(count, threshold));
    file.finish();
}

// A listed pair, kept between the two passes of a report that lists pairs by group.
struct ListedPair {
    quint32 a;
    quint32 b;
    int longest;
    int distance;
};
// Beyond this many pairs (16 bytes each) the groups' names are measured again instead.
constexpr size_t kKeptPairs = size_t(1) << 22;

// The document that lists pairs by group: CSV rows or an HTML table, one line per pair with its
// group, and names a and b (a the more frequent) with their vertex numbers and counts.
class GroupDocument {
public:
    GroupDocument(const ReportNames& names, const QStringList& printed,
                  const ConversionSettings& settings)
        : m_names(names)
        , m_printed(printed)
        , m_csv(settings.reportFormat == ReportFormat::Csv)
        , m_locale(m_csv ? QLocale::c() : QLocale())
    {
    }

    QByteArray start() const
    {
        if (m_csv)
            return "\xEF\xBB\xBF"
                   "grupo,vertice_1,nome_1,registros_1,vertice_2,nome_2,registros_2,"
                   "similaridade\r\n";
        return "<!DOCTYPE html>\n<html lang=\"pt-BR\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
               html(messages::reportTitle()) +
               "</title>\n<style>table{border-collapse:collapse}th,td{border:1px solid "
               "#999;padding:2px 8px;text-align:left}td.n{text-align:right}</style>\n"
               "</head>\n<body>\n<h1>" +
               html(messages::reportTitle()) +
               "</h1>\n<table>\n<thead><tr><th>Grupo</th><th>Vértice</th><th>Nome</th>"
               "<th>Registros</th><th>Vértice</th><th>Nome</th><th>Registros</th>"
               "<th>Similaridade</th></tr></thead>\n<tbody>\n";
    }
    QByteArray end(qint64 count, int threshold) const
    {
        if (m_csv)
            return {};
        return "</tbody>\n</table>\n<p>" + html(messages::reportClosingLine(count, threshold)) +
               "</p>\n</body>\n</html>\n";
    }
    PercentTexts percentTexts(const QStringList& compared, int threshold) const
    {
        return PercentTexts(compared, threshold, [this](double percentage) {
            return formatPercentage(percentage, m_locale).toUtf8();
        });
    }
    void line(QByteArray& out, const QByteArray& group, quint32 a, quint32 b,
              const PercentTexts& shown, int longest, int distance) const
    {
        const QByteArray numberA = number(m_names.firstNumber + qint64(a));
        const QByteArray numberB = number(m_names.firstNumber + qint64(b));
        const QByteArray countA = number(a < m_names.counts.size() ? m_names.counts[a] : 0);
        const QByteArray countB = number(b < m_names.counts.size() ? m_names.counts[b] : 0);
        const QString& nameA = m_printed[qsizetype(a)];
        const QString& nameB = m_printed[qsizetype(b)];
        if (m_csv) {
            out.append(group).append(',').append(numberA).append(',');
            out.append(csvField(toSpreadsheetCell(nameA).toUtf8())).append(',').append(countA);
            out.append(',').append(numberB).append(',');
            out.append(csvField(toSpreadsheetCell(nameB).toUtf8())).append(',');
            out.append(countB).append(',');
            shown.append(out, longest, distance);
            out.append("\r\n");
            return;
        }
        out.append("<tr><td class=\"n\">").append(group);
        out.append("</td><td class=\"n\">").append(numberA).append("</td><td>");
        out.append(html(nameA)).append("</td><td class=\"n\">").append(countA);
        out.append("</td><td class=\"n\">").append(numberB).append("</td><td>");
        out.append(html(nameB)).append("</td><td class=\"n\">").append(countB);
        out.append("</td><td class=\"n\">");
        shown.append(out, longest, distance);
        out.append("%</td></tr>\n");
    }

private:
    const ReportNames& m_names;
    const QStringList& m_printed;
    bool m_csv;
    QLocale m_locale;
};

// The pairs kept by the first pass, in the order of their groups and of each group's names.
void writeKeptPairs(ReportFile& file, const GroupDocument& document, const QStringList& compared,
                    const std::vector<std::vector<quint32>>& groups, std::vector<ListedPair> pairs,
                    int threshold)
{
    std::vector<quint32> groupOf(size_t(compared.size()));
    std::vector<quint32> rank(size_t(compared.size()));
    for (size_t g = 0; g < groups.size(); ++g) {
        for (size_t k = 0; k < groups[g].size(); ++k) {
            groupOf[groups[g][k]] = quint32(g);
            rank[groups[g][k]] = quint32(k);
        }
    }
    for (ListedPair& pair : pairs) {
        if (rank[pair.b] < rank[pair.a])
            std::swap(pair.a, pair.b);
    }
    std::sort(pairs.begin(), pairs.end(), [&](const ListedPair& x, const ListedPair& y) {
        return std::tuple(groupOf[x.a], rank[x.a], rank[x.b]) <
               std::tuple(groupOf[y.a], rank[y.a], rank[y.b]);
    });
    const PercentTexts shown = document.percentTexts(compared, threshold);
    QByteArray out;
    for (const ListedPair& pair : pairs) {
        document.line(out, number(qint64(groupOf[pair.a]) + 1), pair.a, pair.b, shown, pair.longest,
                      pair.distance);
        file.raw(out);
        out.clear();
    }
}

// Each group's names measured again among themselves, when there were too many pairs to keep.
void writeMeasuredGroups(ReportFile& file, const GroupDocument& document,
                         const QStringList& compared,
                         const std::vector<std::vector<quint32>>& groups, int threshold)
{
    for (size_t g = 0; g < groups.size(); ++g) {
        const std::vector<quint32>& members = groups[g];
        QStringList texts;
        for (const quint32 member : members)
            texts << compared[member];
        const PercentTexts shown = document.percentTexts(texts, threshold);
        const QByteArray group = number(qint64(g) + 1);
        measureSimilarPairs(
            texts, threshold,
            [&](QByteArray& out, size_t i, size_t j, int longest, int distance) {
                document.line(out, group, members[i], members[j], shown, longest, distance);
            },
            false, [&](const MeasuredRow& row) { file.raw(row.lines); });
    }
}

// The pairs group by group, each group's names most frequent first: from the pairs kept by the
// first pass, or, when there were too many to keep, from each group's names measured again
// among themselves.
void writeGroups(const ReportNames& names, const QStringList& printed, const QStringList& compared,
                 const std::vector<std::vector<quint32>>& groups,
                 const std::vector<ListedPair>* kept, qint64 count,
                 const ConversionSettings& settings, AtomicFile& out)
{
    const GroupDocument document(names, printed, settings);
    const int threshold = settings.similarityThreshold;
    ReportFile file(out, document.start(), document.end(count, threshold));
    if (kept)
        writeKeptPairs(file, document, compared, groups, *kept, threshold);
    else
        writeMeasuredGroups(file, document, compared, groups, threshold);
    file.finish();
}

} // namespace

ReportOutcome writeSimilarityReport(const ReportNames& names, const ConversionSettings& settings,
                                    AtomicFile& file, bool groups)
{
    ReportOutcome outcome;
    QStringList printed;
    QStringList compared;
    for (const QString& vertex : names.vertices) {
        printed << removeMarkers(vertex);
        compared << comparedText(printed.back(), settings.foldAccents, settings.tokenSort);
        outcome.namesLeftOut += compared.back().size() > kLongestComparedText;
    }
    NameGroups joined(size_t(printed.size()));
    if (settings.reportFormat == ReportFormat::Rtf) {
        writeRtf(printed, compared, settings.similarityThreshold, file, groups ? &joined : nullptr);
        if (groups)
            outcome.groups = joined.groups(names.counts);
        return outcome;
    }
    // The first pass finds the groups, and keeps the pairs while they are not too many.
    std::vector<ListedPair> kept;
    bool keeping = true;
    const qint64 count = measureSimilarPairs(
        compared, settings.similarityThreshold,
        [](QByteArray& out, size_t i, size_t j, int longest, int distance) {
            const ListedPair pair {quint32(i), quint32(j), longest, distance};
            out.append(reinterpret_cast<const char*>(&pair), sizeof pair);
        },
        false,
        [&](const MeasuredRow& row) {
            for (qsizetype at = 0; at < row.lines.size(); at += qsizetype(sizeof(ListedPair))) {
                ListedPair pair;
                std::memcpy(&pair, row.lines.constData() + at, sizeof pair);
                joined.join(pair.a, pair.b);
                if (keeping)
                    kept.push_back(pair);
            }
            if (keeping && kept.size() > kKeptPairs) {
                keeping = false;
                kept = std::vector<ListedPair>();
            }
        });
    outcome.groups = joined.groups(names.counts);
    writeGroups(names, printed, compared, outcome.groups, keeping ? &kept : nullptr, count,
                settings, file);
    return outcome;
}

qsizetype writeSimilarityReports(const VertexLists& lists, const std::vector<qint64>& counts,
                                 const ConversionSettings& settings,
                                 const std::function<AtomicFile&(const QString& path)>& create)
{
    qsizetype leftOut = 0;
    const bool renames = !settings.suggestRenamesPath.isEmpty();
    // In two-mode each rename says its mode: one name may be a variant in one mode and another's
    // canonical name in the other, and a first-mode rename must not touch a second-mode vertex.
    const bool twoMode = settings.mode == NetworkMode::TwoMode;
    QByteArray table =
        "\xEF\xBB\xBF" + QByteArray(twoMode ? kModeRenameTableHeader : kRenameTableHeader) + "\r\n";
    for (const bool second : {false, true}) {
        if (second && !(settings.reportBothModes && twoMode))
            break;
        ReportNames names;
        names.vertices = second ? lists.secondModeVertices() : lists.firstModeVertices();
        names.firstNumber = second ? lists.firstModeCount() + 1 : 1;
        for (qsizetype k = 0; k < names.vertices.size(); ++k) {
            const size_t vertex = size_t(names.firstNumber + k);
            names.counts.push_back(vertex < counts.size() ? counts[vertex] : 0);
        }
        const ReportOutcome outcome = writeSimilarityReport(
            names, settings, create(reportPath(settings.outputPath, settings.reportFormat, second)),
            renames);
        leftOut += outcome.namesLeftOut;
        // Every other name of a group is read as its most frequent one.
        for (const std::vector<quint32>& group : outcome.groups) {
            const auto cell = [&](quint32 member) {
                return csvField(
                    toSpreadsheetCell(removeMarkers(names.vertices[qsizetype(member)])).toUtf8());
            };
            const QByteArray canonical = cell(group[0]);
            const QByteArray mode = !twoMode ? "" : second ? ",2" : ",1";
            for (size_t k = 1; k < group.size(); ++k)
                table += cell(group[k]) + ',' + canonical + mode + "\r\n";
        }
    }
    if (renames)
        create(settings.suggestRenamesPath).write(table);
    return leftOut;
}

} // namespace urdiva
