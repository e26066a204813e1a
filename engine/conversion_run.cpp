#include "conversion_run.h"

#include "field_marker.h"
#include "line_reader.h"
#include "network_text.h"
#include "network_writer.h"
#include "paths.h"
#include "run_error.h"
#include "vertex_lists.h"

#include <QFileInfo>
#include <QLocale>

namespace urdiva {
namespace {

// Calls onRecord with the fields of every record line: lines past the header that hold
// something besides separators.
template <typename OnRecord>
void forEachRecord(LineReader& reader, const ConversionSettings& settings, OnRecord onRecord)
{
    QString line;
    RecordFields fields;
    for (qint64 counter = 0; reader.readLine(line); ++counter) {
        if (counter < settings.headerLines || !isRecordText(line, settings.separator))
            continue;
        fields.split(line, settings.separator);
        onRecord(fields);
    }
}

void requireField(const RecordFields& fields, qint32 index)
{
    if (index < 0 || index >= fields.count())
        throw RunError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

QString endField(const RecordFields& fields, qint32 index, const SuppressionRule& rule)
{
    requireField(fields, index);
    return SuprimirCaractere(rule, fields.marked(index));
}

} // namespace

RunOutcome runConversion(const ConversionSettings& settings, RunFeedback& feedback)
{
    if (NomeSemExtensao(settings.outputPath).isEmpty()) {
        feedback.showMessage(messages::noOutputFile());
        return RunOutcome::NoOutputFile;
    }
    const QString finalPath = finalOutputPath(settings.outputPath);
    const QFileInfo existing(finalPath);
    if (existing.exists() && !existing.isDir() && !feedback.confirmOverwrite(finalPath))
        return RunOutcome::OverwriteDeclined;

    feedback.showStage(stageText(1));
    feedback.clearOutput();

    VertexLists lists(QLocale(), settings.mode, settings.caseSensitive, settings.sortAscending);
    {
        LineReader reader(settings.inputPath);
        feedback.showStage(stageText(2));
        forEachRecord(reader, settings, [&](const RecordFields& fields) {
            lists.addCandidate(End::First,
                               endField(fields, settings.firstColumn, settings.suppression));
            lists.addCandidate(End::Second,
                               endField(fields, settings.secondColumn, settings.suppression));
        });
    }

    feedback.showStage(stageText(3));
    lists.removeBlankCandidates();
    lists.normaliseCandidates();

    feedback.showStage(stageText(4));
    lists.buildVertexLists();

    feedback.showStage(stageText(5));
    NetworkText edges;
    LineReader edgeReader(settings.inputPath);
    forEachRecord(edgeReader, settings, [&](const RecordFields& fields) {
        const QString first = endField(fields, settings.firstColumn, settings.suppression);
        const QString second = endField(fields, settings.secondColumn, settings.suppression);
        QString weight;
        if (settings.valueColumn) {
            requireField(fields, *settings.valueColumn);
            weight = fields.marked(*settings.valueColumn);
        }
        const int a = lists.findVertex(normaliseField(first), End::First);
        const int b = lists.findVertex(normaliseField(second), End::Second);
        // An end without a vertex (a blank field) has no number to write.
        if (a > 0 && b > 0)
            edges.appendEdgeLine(a, b, settings.valueColumn ? &weight : nullptr);
    });

    feedback.showStage(stageText(6));
    NetworkText text;
    text.reserve(edges.text().size() + 64 * (lists.firstModeCount() + lists.secondModeCount()));
    text.appendLine(
        vertexCountLine(lists.firstModeCount(), lists.secondModeCount(), settings.mode));
    text.appendVertexLines(lists.firstModeVertices(), 1);
    if (settings.mode == NetworkMode::TwoMode)
        text.appendVertexLines(lists.secondModeVertices(), lists.firstModeCount() + 1);
    text.appendLine(linkKindLine(settings.directed));
    text.append(edges);
    edges = NetworkText();

    feedback.showOutput(text);
    writeNetworkFile(finalPath, text);
    feedback.closeProgress();
    feedback.showMessage(settings.similarityReport ? messages::savedNetworkAndReport()
                                                   : messages::savedNetwork());
    return RunOutcome::Written;
}

} // namespace urdiva
