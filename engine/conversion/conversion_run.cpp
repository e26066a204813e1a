// SPDX-License-Identifier: MIT
#include "engine/conversion/conversion_run.h"

#include "engine/conversion/run_files.h"
#include "engine/conversion/settings_check.h"
#include "engine/core/parallel.h"
#include "engine/core/prefetch.h"
#include "engine/core/run_error.h"
#include "engine/io/field_marker.h"
#include "engine/io/line_reader.h"
#include "engine/io/paths.h"
#include "engine/io/record_line.h"
#include "engine/io/record_stream.h"
#include "engine/io/weight_text.h"
#include "engine/names/field_memo.h"
#include "engine/names/rename_table.h"
#include "engine/names/strip.h"
#include "engine/names/vertex_lists.h"
#include "engine/network/link_network.h"
#include "engine/network/network_text.h"
#include "engine/network/network_writer.h"
#include "engine/network/record_log.h"
#include "engine/report/report_format.h"
#include "engine/report/similarity_report.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace urdiva {
namespace {

// The fields of one name list, which in two-mode the second end has of its own and in one-mode
// both ends share: the memo that tells them apart (let go once the pass is over), the fields in
// order of first sighting, and their suppressed marked texts, which are the list's candidates.
struct ListFields {
    FieldMemo memo;
    size_t refCount = 0; // the memo's, kept when it is let go
    std::vector<FieldMemo::FieldRef> sightings;
    std::vector<QString> texts;
    std::vector<quint32> seen; // how often each field was seen, where the report needs it
};

// Calls onRecord with every record of a batch. The memo lookups of the records' end fields are
// started ahead, in two steps (see FieldMemo::prefetchSlot), so that each has had time to
// arrive when it is needed.
template <typename FieldsOf, typename OnRecord>
void forEachRecord(std::span<const RecordStream::Record> records, FieldsOf fieldsOf,
                   OnRecord onRecord)
{
    constexpr size_t kAhead = 16;
    const auto fetch = [&](size_t r, auto step) {
        if (r >= records.size())
            return;
        if (records[r].ends[0].present)
            step(fieldsOf(End::First).memo, records[r].ends[0].hash);
        if (records[r].ends[1].present)
            step(fieldsOf(End::Second).memo, records[r].ends[1].hash);
    };
    const auto slot = [](const FieldMemo& memo, size_t hash) { memo.prefetchSlot(hash); };
    const auto entry = [](const FieldMemo& memo, size_t hash) { memo.prefetchEntry(hash); };
    for (size_t r = 0; r < 2 * kAhead; ++r)
        fetch(r, slot);
    for (size_t r = 0; r < kAhead; ++r)
        fetch(r, entry);
    for (size_t r = 0; r < records.size(); ++r) {
        fetch(r + 2 * kAhead, slot);
        fetch(r + kAhead, entry);
        onRecord(records[r]);
    }
}

RunError missingField(qint32 index, const QString& context)
{
    return RunError(QStringLiteral("List index out of bounds (%1)").arg(index), context);
}

// A field's suppressed marked text, renamed by the table.
QString candidateText(const FieldMemo::Field& field, const StripRule& rule,
                      const RenameTable& renames)
{
    QString text = stripCharacters(
        rule, markedField(RecordLine::valueOfKey(field.key, field.keyIsText), field.shape));
    return renames.isEmpty() ? text : renames.apply(text);
}

void buildCandidateTexts(ListFields& fields, const StripRule& rule, const RenameTable& renames)
{
    fields.texts.resize(fields.sightings.size());
    inHalves(fields.texts.size(), [&](size_t begin, size_t end, int) {
        for (size_t i = begin; i < end; ++i)
            fields.texts[i] = candidateText(fields.memo.field(fields.sightings[i]), rule, renames);
    });
    fields.refCount = fields.memo.refCount();
    fields.memo = FieldMemo();
}

// The vertex number of every field, indexed by FieldRef; 0 where no vertex matches. Most
// normal forms are texts the vertex list was offered, found by text alone on two threads at
// once; the others are looked up afterwards.
std::vector<int> vertexNumbers(const ListFields& fields, End end, const VertexLists& lists)
{
    std::vector<int> numbers(fields.refCount, 0);
    std::vector<std::pair<FieldMemo::FieldRef, QString>> others[2];
    inHalves(fields.sightings.size(), [&](size_t begin, size_t stop, int half) {
        QString storage;
        for (size_t i = begin; i < stop; ++i) {
            const FieldMemo::FieldRef ref = fields.sightings[i];
            const QStringView normalForm = normaliseField(fields.texts[i], storage);
            if (const std::optional<int> number = lists.findOfferedVertex(normalForm, end))
                numbers[ref] = *number;
            else
                others[half].emplace_back(ref, normalForm.toString());
        }
    });
    for (const auto& part : others) {
        for (const auto& [ref, normalForm] : part)
            numbers[ref] = lists.findVertex(normalForm, end);
    }
    return numbers;
}

// The edge lines of records [begin, end) of a chunk, the first of whose weights starts at
// `weight`.
qint64 appendEdgeLines(NetworkText& text, const RecordLog::Chunk& log, size_t begin, size_t end,
                       const char* weight, bool weighted, const std::vector<int>& firstNumbers,
                       const std::vector<int>& secondNumbers)
{
    qint64 lines = 0;
    // The numbers of a run with millions of fields are spread over more memory than the caches
    // hold: those of the records a little ahead are fetched while this one is written.
    constexpr size_t kAhead = 16;
    for (size_t r = begin; r < end; ++r) {
        if (r + kAhead < end) {
            prefetch(&firstNumbers[log.ends[2 * (r + kAhead)]]);
            prefetch(&secondNumbers[log.ends[2 * (r + kAhead) + 1]]);
        }
        const int a = firstNumbers[log.ends[2 * r]];
        const int b = secondNumbers[log.ends[2 * r + 1]];
        const QByteArrayView weightText = weighted ? log.takeWeight(weight) : QByteArrayView();
        // An end without a vertex (a blank field) has no number to write.
        if (a == 0 || b == 0)
            continue;
        if (weighted)
            text.appendEdgeLine(a, b, weightText);
        else
            text.appendEdgeLine(a, b);
        ++lines;
    }
    return lines;
}

// The edge lines of a chunk, the second half of many formatted into a text of its own and
// appended.
qint64 appendEdgeLines(NetworkText& text, const RecordLog::Chunk& log, bool weighted,
                       const std::vector<int>& firstNumbers, const std::vector<int>& secondNumbers)
{
    NetworkText tail;
    qint64 lines[2] = {0, 0};
    inHalves(log.ends.size() / 2, [&](size_t begin, size_t end, int half) {
        const char* weight = log.weights.data();
        for (size_t r = 0; weighted && r < begin; ++r)
            log.takeWeight(weight);
        if (half == 1)
            tail.reserve(qsizetype(16 * (end - begin) + log.weights.size() / 2));
        lines[half] = appendEdgeLines(half == 0 ? text : tail, log, begin, end, weight, weighted,
                                      firstNumbers, secondNumbers);
    });
    text.append(tail);
    return lines[0] + lines[1];
}

// What the weights of the network written are: generated counts, weights checked to be numbers,
// or the weights as they were read.
WeightKind weightKind(const ConversionSettings& settings, const RecordStream::Notes& notes)
{
    if (settings.projection != Projection::None || settings.merge == MergeRule::Count ||
        settings.merge == MergeRule::Sum || settings.merge == MergeRule::Max)
        return WeightKind::Numbers;
    if (!settings.valueColumn)
        return WeightKind::None;
    return notes.weightsNotNumbers == 0 && notes.firstBlankWeight == 0 ? WeightKind::Numbers
                                                                       : WeightKind::Texts;
}

// Weights that are added or compared must all be numbers: the first that is not stops the run.
void checkWeightsAreNumbers(const RecordStream::Notes& notes, const QString& inputName)
{
    const qint64 notNumber = notes.firstWeightNotNumber;
    const qint64 blank = notes.firstBlankWeight;
    if (notNumber == 0 && blank == 0)
        return;
    const bool blankFirst = blank != 0 && (notNumber == 0 || blank < notNumber);
    const QByteArray& text = notes.firstWeightNotNumberText;
    const QString shown = blankFirst ? QString() : QString::fromUtf8(text);
    throw RunError(!blankFirst && hasNumberSyntax(text) ? messages::weightTooLarge(shown)
                                                        : messages::weightNotNumber(shown),
                   recordContext(inputName, blankFirst ? blank : notNumber));
}

} // namespace

RunOutcome runConversion(const ConversionSettings& settings, RunFeedback& feedback,
                         std::unique_ptr<LineReader> input)
{
    const bool toFile = !settings.toStandardOutput;
    if (toFile && withoutExtension(settings.outputPath).isEmpty()) {
        feedback.showMessage(messages::noOutputFile());
        return RunOutcome::NoOutputFile;
    }
    if (const QString problem = settingsProblem(settings); !problem.isEmpty())
        throw RunError(problem);
    const std::vector<RunOutput> outputs = runOutputs(settings);
    const QString finalPath = toFile ? outputs.front().path : QString();
    if (toFile)
        checkOutputTarget(finalPath);
    // Only a file the user agreed to replace may be replaced at the end; one that appears at the
    // path while the run works is kept.
    std::map<QString, Replace> replaceAt;
    for (const RunOutput& output : outputs) {
        Replace& replace = replaceAt[output.path];
        replace = feedback.replaceAppearingFile() || !output.needsLeave ? Replace::Allowed
                                                                        : Replace::Never;
        if (output.needsLeave && QFileInfo::exists(output.path)) {
            if (!feedback.confirmOverwrite(output.path)) {
                feedback.showKeptFile(output.path);
                return RunOutcome::OverwriteDeclined;
            }
            replace = Replace::Allowed;
        }
    }
    OutputFiles files;
    const auto create = [&](const QString& path) -> AtomicFile& {
        return files.create(path, replaceAt.at(path));
    };

    const RenameTable renames =
        settings.renamePath.isEmpty() ? RenameTable() : RenameTable::read(settings.renamePath);
    feedback.showStage(messages::stageText(1));
    feedback.clearOutput();

    VertexLists lists(QLocale(), settings.mode, settings.caseSensitive, settings.sortAscending);
    const bool twoMode = settings.mode == NetworkMode::TwoMode;
    ListFields firstFields;
    ListFields secondFields;
    const auto fieldsOf = [&](End end) -> ListFields& {
        return end == End::Second && twoMode ? secondFields : firstFields;
    };
    RecordLog log(settings.valueColumn.has_value());
    RunSummary summary;
    summary.listedNames = settings.cellSeparator.has_value();
    WeightKind weights = WeightKind::None;
    const bool cells = settings.cellSeparator.has_value();
    // How often each vertex occurs, for reports that show it or rank spellings by it.
    const bool countSightings =
        settings.similarityReport &&
        (settings.reportFormat != ReportFormat::Rtf || !settings.suggestRenamesPath.isEmpty());
    std::vector<qint64> vertexCounts;
    // The plain network: one Pajek edge line per record, made on two threads at once.
    const bool plainLinks = settings.format == NetworkFormat::Pajek &&
                            settings.merge == MergeRule::None && !cells &&
                            settings.projection == Projection::None;
    if (!input)
        input = std::make_unique<LineReader>(settings.inputPath);
    const QString inputName = input->name();
    {
        const auto collect = [&](const RecordStream::Field& field, qint32 index, End end,
                                 qint64 line) {
            if (!field.present)
                throw missingField(index, recordContext(inputName, line));
            ListFields& fields = fieldsOf(end);
            const FieldMemo::Sighting sighting =
                fields.memo.see(field.key, field.keyIsText, field.hash, field.shape);
            if (countSightings) {
                if (sighting.ref >= fields.seen.size())
                    fields.seen.resize(fields.memo.refCount());
                ++fields.seen[sighting.ref];
            }
            // Offering a field again would change nothing.
            if (sighting.first)
                fields.sightings.push_back(sighting.ref);
            return sighting.ref;
        };
        feedback.showStage(messages::stageText(2));
        RecordStream stream(std::move(input), settings);
        qint64 recordsRead = 0;
        qint64 quotedLooking = 0;
        const qint32 columns[2] = {settings.firstColumn, settings.secondColumn};
        std::vector<FieldMemo::FieldRef> names[2];
        // A record whose cells list names: each name is collected as a field of its own.
        const auto collectNames = [&](const RecordStream::Record& record) {
            for (int e = 0; e < (settings.cooccur ? 1 : 2); ++e) {
                const End end = e == 0 ? End::First : End::Second;
                if (!record.ends[e].present)
                    throw missingField(columns[e], recordContext(inputName, record.line));
                names[e].clear();
                for (const RecordStream::Field& name : record.names[e])
                    names[e].push_back(collect(name, columns[e], end, record.line));
            }
            log.addNames(names[0], names[1], record.weight, record.line);
        };
        stream.forEachBatch([&](std::span<const RecordStream::Record> records) {
            if (cells) {
                for (const RecordStream::Record& record : records)
                    collectNames(record);
            } else {
                forEachRecord(records, fieldsOf, [&](const RecordStream::Record& record) {
                    const FieldMemo::FieldRef first =
                        collect(record.ends[0], columns[0], End::First, record.line);
                    log.add(first, collect(record.ends[1], columns[1], End::Second, record.line),
                            record.weight, record.line);
                });
            }
            feedback.showRecordsRead(recordsRead += qint64(records.size()));
            if (quotedLooking == 0 && stream.notes().firstQuotedLooking != 0)
                feedback.showQuotedLookingLine(quotedLooking = stream.notes().firstQuotedLooking);
        });
        summary.records = stream.notes().records;
        summary.weightsNotNumbers = stream.notes().weightsNotNumbers;
        summary.firstWeightNotNumber = stream.notes().firstWeightNotNumber;
        if (settings.merge == MergeRule::Sum || settings.merge == MergeRule::Max)
            checkWeightsAreNumbers(stream.notes(), inputName);
        weights = weightKind(settings, stream.notes());
        buildCandidateTexts(firstFields, settings.strip, renames);
        lists.addCandidates(End::First, firstFields.texts);
        if (twoMode) {
            buildCandidateTexts(secondFields, settings.strip, renames);
            lists.addCandidates(End::Second, secondFields.texts);
        }
    }

    feedback.showStage(messages::stageText(3));
    lists.removeBlankCandidates();
    lists.normaliseCandidates();

    feedback.showStage(messages::stageText(4));
    lists.buildVertexLists();

    feedback.showStage(messages::stageText(5));
    if (settings.valueColumn && log.firstLackingWeight() != 0)
        throw missingField(*settings.valueColumn,
                           recordContext(inputName, log.firstLackingWeight()));
    // Without a pane to show it in, the text goes to the file in pieces of about this size.
    constexpr qsizetype kPieceBytes = qsizetype(8) << 20;
    const bool keepText = feedback.showsOutput();
    // XML declares its encoding; the byte-order mark is for readers of plain text.
    const bool byteOrderMark = settings.byteOrderMark && (settings.format == NetworkFormat::Pajek ||
                                                          settings.format == NetworkFormat::Csv);
    NetworkFile file = toFile
                           ? NetworkFile(files, finalPath, replaceAt.at(finalPath), byteOrderMark)
                           : NetworkFile(byteOrderMark);
    NetworkText text;
    const auto writeOut = [&] {
        if (!keepText && text.utf8().size() >= kPieceBytes)
            file.write(text);
    };
    {
        const std::vector<int> firstNumbers = vertexNumbers(firstFields, End::First, lists);
        const std::vector<int> secondNumbers =
            twoMode ? vertexNumbers(secondFields, End::Second, lists) : std::vector<int>();
        const std::vector<int>& secondEnds = twoMode ? secondNumbers : firstNumbers;
        if (countSightings) {
            vertexCounts.assign(size_t(lists.firstModeCount() + lists.secondModeCount()) + 1, 0);
            for (const auto& [fields, numbers] : {std::pair(&firstFields, &firstNumbers),
                                                  std::pair(&secondFields, &secondNumbers)}) {
                for (size_t ref = 0; ref < fields->seen.size(); ++ref)
                    vertexCounts[size_t((*numbers)[ref])] += fields->seen[ref];
            }
        }
        firstFields = ListFields();
        secondFields = ListFields();
        if (plainLinks) {
            text.appendLine(
                vertexCountLine(lists.firstModeCount(), lists.secondModeCount(), settings.mode));
            summary.twoMode = twoMode;
            summary.firstModeVertices = lists.firstModeCount();
            summary.secondModeVertices = lists.secondModeCount();
            summary.namesChanged = text.appendVertexLines(lists.firstModeVertices(), 1);
            summary.namesEndingInBackslash = namesEndingInBackslash(lists.firstModeVertices());
            if (twoMode) {
                summary.namesChanged +=
                    text.appendVertexLines(lists.secondModeVertices(), lists.firstModeCount() + 1);
                summary.namesEndingInBackslash +=
                    namesEndingInBackslash(lists.secondModeVertices());
            }
            text.appendLine(linkKindLine(settings.directed));
            log.drain([&](const RecordLog::Chunk& chunk) {
                summary.edgeLines += appendEdgeLines(text, chunk, settings.valueColumn.has_value(),
                                                     firstNumbers, secondEnds);
                writeOut();
            });
            summary.recordsWithoutLink = summary.records - summary.edgeLines;
        } else {
            writeLinkedNetwork(text, settings, lists, log, firstNumbers, secondEnds, weights,
                               writeOut, summary);
        }
    }

    feedback.showStage(settings.toStandardOutput
                           ? messages::writingToStandardOutput()
                           : messages::savingStageText(formatExtension(settings.format)));
    if (settings.similarityReport)
        writeSimilarityReports(lists, vertexCounts, settings, create);
    if (keepText)
        feedback.showOutput(text);
    file.write(text);
    file.finish();
    // Every file is complete: they are put in place together, or none is.
    if (!files.commit()) {
        feedback.closeProgress();
        feedback.showKeptFile(files.blockedPath());
        return RunOutcome::OverwriteDeclined;
    }
    feedback.closeProgress();
    feedback.showSummary(summary);
    feedback.showMessage(settings.similarityReport
                             ? messages::savedNetworkAndReport(
                                   formatExtension(settings.format), formatName(settings.format),
                                   reportExtension(settings.reportFormat))
                             : messages::savedNetwork());
    return RunOutcome::Written;
}

} // namespace urdiva
