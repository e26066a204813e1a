#include "conversion_run.h"

#include "field_marker.h"
#include "field_memo.h"
#include "line_reader.h"
#include "network_text.h"
#include "network_writer.h"
#include "paths.h"
#include "record_line.h"
#include "record_stream.h"
#include "run_error.h"
#include "similarity_report.h"
#include "vertex_lists.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace urdiva {
namespace {

// Calls onRecord with every record line of the stream. The memo lookups of a few records'
// end fields are started before the first of them is needed (see FieldMemo::prefetchSlot).
template <typename MemoOf, typename OnRecord>
void forEachRecord(RecordStream& stream, MemoOf memoOf, OnRecord onRecord)
{
    constexpr size_t kAhead = 32;
    const End ends[] = {End::First, End::Second};
    for (auto records = stream.next(); !records.empty(); records = stream.next()) {
        for (size_t k = 0; k < records.size(); k += kAhead) {
            const auto some = records.subspan(k, std::min(kAhead, records.size() - k));
            for (const RecordStream::Record& record : some) {
                for (int e = 0; e < 2; ++e) {
                    if (record.ends[e].present)
                        memoOf(ends[e]).prefetchSlot(record.ends[e].hash);
                }
            }
            for (const RecordStream::Record& record : some) {
                for (int e = 0; e < 2; ++e) {
                    if (record.ends[e].present)
                        memoOf(ends[e]).prefetchEntry(record.ends[e].hash);
                }
            }
            for (const RecordStream::Record& record : some)
                onRecord(record);
        }
    }
}

RunError missingField(qint32 index)
{
    return RunError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

// One memo per name list: in two-mode the second end has its own list, in one-mode both ends
// share the first.
FieldMemo& listMemo(End end, const ConversionSettings& settings, FieldMemo& first,
                    FieldMemo& second)
{
    return end == End::Second && settings.mode == NetworkMode::TwoMode ? second : first;
}

QString suppressedField(QByteArrayView key, bool keyIsText, FieldShape shape,
                        const SuppressionRule& rule)
{
    return SuprimirCaractere(rule, markedField(RecordLine::valueOfKey(key, keyIsText), shape));
}

// What the edge pass needs of the record lines, gathered by the vertex pass so that the file is
// read once: the fields of both ends of each record and, with a value column, each weight's
// UTF-8 text followed by an LF (which no field holds).
struct RecordLog {
    std::vector<FieldMemo::FieldRef> ends; // first end, second end, per record
    std::string weights;
    bool lacksWeight = false; // some record line has no value column
};

// The vertex number of every field of a memo, indexed by FieldRef; 0 where no vertex matches.
std::vector<int> vertexNumbers(const FieldMemo& memo, End end, const VertexLists& lists,
                               const ConversionSettings& settings)
{
    std::vector<int> numbers(memo.refCount(), 0);
    memo.forEachField(
        [&](FieldMemo::FieldRef ref, QByteArrayView key, bool keyIsText, FieldShape shape) {
            numbers[ref] = lists.findVertex(
                normaliseField(suppressedField(key, keyIsText, shape, settings.suppression)), end);
        });
    return numbers;
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
    const auto memoOf = [&](End end) -> FieldMemo& {
        return listMemo(end, settings, firstMemo, secondMemo);
    };
    RecordLog log;
    {
        const auto collect = [&](const RecordStream::Field& field, qint32 index, End end) {
            if (!field.present)
                throw missingField(index);
            const FieldMemo::Sighting sighting =
                memoOf(end).see(field.key, field.keyIsText, field.hash, field.shape);
            // Offering a field again would change nothing.
            if (sighting.first) {
                lists.addCandidate(end, suppressedField(field.key, field.keyIsText, field.shape,
                                                        settings.suppression));
            }
            log.ends.push_back(sighting.ref);
        };
        auto reader = std::make_unique<LineReader>(settings.inputPath);
        feedback.showStage(stageText(2));
        RecordStream stream(std::move(reader), settings);
        forEachRecord(stream, memoOf, [&](const RecordStream::Record& record) {
            collect(record.ends[0], settings.firstColumn, End::First);
            collect(record.ends[1], settings.secondColumn, End::Second);
            if (!settings.valueColumn)
                return;
            if (record.hasWeight) {
                log.weights.append(record.weight.data(), size_t(record.weight.size()));
                log.weights.push_back('\n');
            } else {
                log.lacksWeight = true;
            }
        });
    }

    feedback.showStage(stageText(3));
    lists.removeBlankCandidates();
    lists.normaliseCandidates();

    feedback.showStage(stageText(4));
    lists.buildVertexLists();

    feedback.showStage(stageText(5));
    if (settings.valueColumn && log.lacksWeight)
        throw missingField(*settings.valueColumn);
    NetworkText text;
    const qsizetype records = qsizetype(log.ends.size() / 2);
    text.reserve(64 * (lists.firstModeCount() + lists.secondModeCount()) + 16 * records +
                 qsizetype(log.weights.size()));
    text.appendLine(
        vertexCountLine(lists.firstModeCount(), lists.secondModeCount(), settings.mode));
    text.appendVertexLines(lists.firstModeVertices(), 1);
    if (settings.mode == NetworkMode::TwoMode)
        text.appendVertexLines(lists.secondModeVertices(), lists.firstModeCount() + 1);
    text.appendLine(linkKindLine(settings.directed));
    {
        const std::vector<int> firstNumbers = vertexNumbers(firstMemo, End::First, lists, settings);
        const std::vector<int> secondNumbers =
            settings.mode == NetworkMode::TwoMode
                ? vertexNumbers(secondMemo, End::Second, lists, settings)
                : std::vector<int>();
        const std::vector<int>& secondEndNumbers =
            settings.mode == NetworkMode::TwoMode ? secondNumbers : firstNumbers;
        const char* weight = log.weights.data();
        for (size_t r = 0; r < log.ends.size(); r += 2) {
            const int a = firstNumbers[log.ends[r]];
            const int b = secondEndNumbers[log.ends[r + 1]];
            QByteArrayView weightText;
            if (settings.valueColumn) {
                const char* end = static_cast<const char*>(std::memchr(
                    weight, '\n', size_t(log.weights.data() + log.weights.size() - weight)));
                weightText = QByteArrayView(weight, end);
                weight = end + 1;
            }
            // An end without a vertex (a blank field) has no number to write.
            if (a == 0 || b == 0)
                continue;
            if (settings.valueColumn)
                text.appendEdgeLine(a, b, weightText);
            else
                text.appendEdgeLine(a, b);
        }
    }
    log = RecordLog();

    feedback.showStage(stageText(6));
    if (settings.similarityReport)
        SimilarityReport(lists.firstModeVertices(), settings.similarityThreshold,
                         settings.outputPath);
    feedback.showOutput(text);
    writeNetworkFile(finalPath, text);
    feedback.closeProgress();
    feedback.showMessage(settings.similarityReport ? messages::savedNetworkAndReport()
                                                   : messages::savedNetwork());
    return RunOutcome::Written;
}

} // namespace urdiva
