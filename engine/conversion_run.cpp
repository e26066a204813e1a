#include "conversion_run.h"

#include "field_marker.h"
#include "field_memo.h"
#include "line_reader.h"
#include "network_text.h"
#include "network_writer.h"
#include "paths.h"
#include "record_line.h"
#include "run_error.h"
#include "similarity_report.h"
#include "vertex_lists.h"

#include <QFileInfo>
#include <QLocale>

#include <array>
#include <utility>
#include <vector>

namespace urdiva {
namespace {

// The memo hashes of a record's two end fields, first end first; 0 for a field the line lacks.
using EndHashes = std::array<size_t, 2>;

// Calls onRecord with every record line, and the hashes of its end fields: lines past the header
// that hold something besides separators. Lines are taken in small batches, and the memo lookups
// of a batch's end fields are started before the first is needed (see FieldMemo::prefetchSlot).
template <typename MemoOf, typename OnRecord>
void forEachRecord(LineReader& reader, const ConversionSettings& settings, MemoOf memoOf,
                   OnRecord onRecord)
{
    constexpr size_t kBatch = 32;
    const std::pair<qint32, End> ends[] = {{settings.firstColumn, End::First},
                                           {settings.secondColumn, End::Second}};
    std::vector<RecordLine> batch(kBatch, RecordLine(settings.separator));
    QByteArray bytes;
    std::vector<qsizetype> lineEnds;
    std::vector<EndHashes> hashes(kBatch);
    qint64 counter = 0;
    for (bool more = true; more;) {
        bytes.clear();
        lineEnds.clear();
        QByteArrayView raw;
        while (lineEnds.size() < kBatch && (more = reader.readRawLine(raw))) {
            if (counter++ < settings.headerLines)
                continue;
            bytes.append(raw);
            lineEnds.push_back(bytes.size());
        }
        size_t records = 0;
        qsizetype begin = 0;
        for (const qsizetype end : lineEnds) {
            batch[records].assign(QByteArrayView(bytes).sliced(begin, end - begin));
            begin = end;
            if (batch[records].isRecord())
                ++records;
        }
        for (size_t r = 0; r < records; ++r) {
            for (size_t e = 0; e < 2; ++e) {
                const auto& [index, end] = ends[e];
                const bool present = index >= 0 && index < batch[r].count();
                hashes[r][e] = present ? FieldMemo::hashOf(batch[r].key(index), batch[r].keyIsText()) : 0;
                if (present)
                    memoOf(end).prefetchSlot(hashes[r][e]);
            }
        }
        for (size_t r = 0; r < records; ++r) {
            for (size_t e = 0; e < 2; ++e) {
                const auto& [index, end] = ends[e];
                if (index >= 0 && index < batch[r].count())
                    memoOf(end).prefetchEntry(hashes[r][e]);
            }
        }
        for (size_t r = 0; r < records; ++r)
            onRecord(batch[r], hashes[r]);
    }
}

void requireField(const RecordLine& line, qint32 index)
{
    if (index < 0 || index >= line.count())
        throw RunError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

// One memo per name list: in two-mode the second end has its own list, in one-mode both ends
// share the first.
FieldMemo& listMemo(End end, const ConversionSettings& settings, FieldMemo& first,
                    FieldMemo& second)
{
    return end == End::Second && settings.mode == NetworkMode::TwoMode ? second : first;
}

QString suppressedField(const RecordLine& line, qint32 index, const SuppressionRule& rule)
{
    return SuprimirCaractere(rule, markedField(line.value(index), line.shape(index)));
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
    // Both passes remember, per field, what they did with it: a file names the same people
    // over and over, and each field is built, suppressed and looked up only once.
    FieldMemo firstMemo;
    FieldMemo secondMemo;
    const auto memoOf = [&](End end) -> FieldMemo& {
        return listMemo(end, settings, firstMemo, secondMemo);
    };
    const auto entryOf = [&](const RecordLine& line, qint32 index, End end,
                             size_t hash) -> FieldMemo::Entry& {
        return memoOf(end).entry(line.key(index), line.keyIsText(), hash);
    };
    {
        const auto collect = [&](const RecordLine& line, qint32 index, End end, size_t hash) {
            requireField(line, index);
            // Offering a field again would change nothing.
            if (entryOf(line, index, end, hash).markSeen(line.shape(index)))
                lists.addCandidate(end, suppressedField(line, index, settings.suppression));
        };
        LineReader reader(settings.inputPath);
        feedback.showStage(stageText(2));
        forEachRecord(reader, settings, memoOf, [&](const RecordLine& line, const EndHashes& hashes) {
            collect(line, settings.firstColumn, End::First, hashes[0]);
            collect(line, settings.secondColumn, End::Second, hashes[1]);
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
        // The edge lines are built as the pass reads.
        const auto vertexOf = [&](const RecordLine& line, qint32 index, End end, size_t hash) {
            int& number = entryOf(line, index, end, hash).number(line.shape(index));
            if (number == FieldMemo::kUnknown) {
                number = lists.findVertex(
                    normaliseField(suppressedField(line, index, settings.suppression)), end);
            }
            return number;
        };
        LineReader reader(settings.inputPath);
        forEachRecord(reader, settings, memoOf, [&](const RecordLine& line, const EndHashes& hashes) {
            requireField(line, settings.firstColumn);
            requireField(line, settings.secondColumn);
            if (settings.valueColumn)
                requireField(line, *settings.valueColumn);
            const int a = vertexOf(line, settings.firstColumn, End::First, hashes[0]);
            const int b = vertexOf(line, settings.secondColumn, End::Second, hashes[1]);
            // An end without a vertex (a blank field) has no number to write.
            if (a == 0 || b == 0)
                return;
            if (settings.valueColumn)
                edges.appendEdgeLine(a, b, line, *settings.valueColumn);
            else
                edges.appendEdgeLine(a, b);
        });
    }

    feedback.showStage(stageText(6));
    NetworkText text;
    text.reserve(edges.byteSize() + 64 * (lists.firstModeCount() + lists.secondModeCount()));
    text.appendLine(
        vertexCountLine(lists.firstModeCount(), lists.secondModeCount(), settings.mode));
    text.appendVertexLines(lists.firstModeVertices(), 1);
    if (settings.similarityReport)
        SimilarityReport(lists.firstModeVertices(), settings.similarityThreshold,
                         settings.outputPath);
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
