#include "conversion_run.h"

#include "field_marker.h"
#include "field_memo.h"
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
        fields.splitLine(line, settings.separator);
        onRecord(fields);
    }
}

void requireField(const RecordFields& fields, qint32 index)
{
    if (index < 0 || index >= fields.count())
        throw RunError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

// One memo per name list: in two-mode the second end has its own list, in one-mode both ends
// share the first.
FieldMemo& memoFor(End end, const ConversionSettings& settings, FieldMemo& first,
                   FieldMemo& second)
{
    return end == End::Second && settings.mode == NetworkMode::TwoMode ? second : first;
}

QString suppressedField(const RecordFields& fields, qint32 index, const SuppressionRule& rule)
{
    return SuprimirCaractere(rule, markedField(fields.value(index), fields.shape(index)));
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
    FieldMemo firstMemo;
    FieldMemo secondMemo;
    {
        // A field met before was already offered to its candidate list: adding it again
        // changes nothing.
        const auto collect = [&](const RecordFields& fields, qint32 index, End end) {
            requireField(fields, index);
            FieldMemo& memo = memoFor(end, settings, firstMemo, secondMemo);
            if (!memo.entry(fields.value(index)).markSeen(fields.shape(index)))
                return;
            lists.addCandidate(end, suppressedField(fields, index, settings.suppression));
        };
        LineReader reader(settings.inputPath);
        feedback.showStage(stageText(2));
        forEachRecord(reader, settings, [&](const RecordFields& fields) {
            collect(fields, settings.firstColumn, End::First);
            collect(fields, settings.secondColumn, End::Second);
        });
    }

    feedback.showStage(stageText(3));
    lists.removeBlankCandidates();
    lists.normaliseCandidates();

    feedback.showStage(stageText(4));
    lists.buildVertexLists();

    feedback.showStage(stageText(5));
    NetworkText edges;
    {
        // The edge lines are built as the pass reads: each end is numbered once per field text
        // and shape.
        const auto vertexOf = [&](const RecordFields& fields, qint32 index, End end) {
            FieldMemo& memo = memoFor(end, settings, firstMemo, secondMemo);
            int& number = memo.entry(fields.value(index)).number(fields.shape(index));
            if (number == FieldMemo::kUnknown) {
                number = lists.findVertex(
                    normaliseField(suppressedField(fields, index, settings.suppression)), end);
            }
            return number;
        };
        LineReader reader(settings.inputPath);
        forEachRecord(reader, settings, [&](const RecordFields& fields) {
            requireField(fields, settings.firstColumn);
            requireField(fields, settings.secondColumn);
            if (settings.valueColumn)
                requireField(fields, *settings.valueColumn);
            const int a = vertexOf(fields, settings.firstColumn, End::First);
            const int b = vertexOf(fields, settings.secondColumn, End::Second);
            // An end without a vertex (a blank field) has no number to write.
            if (a == 0 || b == 0)
                return;
            if (settings.valueColumn)
                edges.appendEdgeLine(a, b, fields.value(*settings.valueColumn));
            else
                edges.appendEdgeLine(a, b);
        });
    }

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
