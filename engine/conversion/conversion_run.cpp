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
#include "engine/network/pajek_writer.h"
#include "engine/network/record_log.h"
#include "engine/report/report_format.h"
#include "engine/report/similarity_report.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace urdiva {
namespace {

// The fields of one name list, which in two-mode the second end has of its own and in one-mode
// both ends share: the memo that tells them apart (let go once the pass is over), the fields in
// order of first sighting, and their stripped marked texts, which are the list's candidates.
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

// A field's stripped marked text, renamed by the table's renames for its mode (0 or 1).
QString candidateText(const FieldMemo::Field& field, const StripRule& rule,
                      const RenameTable& renames, int mode)
{
    QString text = stripCharacters(
        rule, markedField(RecordLine::valueOfKey(field.key, field.keyIsText), field.shape));
    return renames.isEmpty() ? text : renames.apply(text, mode);
}

void buildCandidateTexts(ListFields& fields, const StripRule& rule, const RenameTable& renames,
                         int mode)
{
    fields.texts.resize(fields.sightings.size());
    // A field seen again in another shape long after its first sighting is far from its
    // neighbours in the memo: the fields a little ahead are fetched meanwhile.
    constexpr size_t kAhead = 8;
    inHalves(fields.texts.size(), [&](size_t begin, size_t end, int) {
        for (size_t i = begin; i < end; ++i) {
            if (i + 2 * kAhead < end)
                fields.memo.prefetchOffset(fields.sightings[i + 2 * kAhead]);
            if (i + kAhead < end)
                fields.memo.prefetchKey(fields.sightings[i + kAhead]);
            fields.texts[i] =
                candidateText(fields.memo.field(fields.sightings[i]), rule, renames, mode);
        }
    });
    fields.refCount = fields.memo.refCount();
    fields.memo = FieldMemo();
}

// The vertex number of every field, indexed by FieldRef; 0 where no vertex matches. Most are
// known from the vertex lists' making; the others' normal forms are mostly texts the vertex list
// was offered, found by text alone on two threads at once, and the rest are looked up afterwards.
std::vector<int> vertexNumbers(const ListFields& fields, End end, VertexLists& lists)
{
    std::vector<int> numbers(fields.refCount, 0);
    const std::vector<qint32> known = lists.takeKnownVertexNumbers(end);
    std::vector<std::pair<FieldMemo::FieldRef, QString>> others[2];
    inHalves(fields.sightings.size(), [&](size_t begin, size_t stop, int half) {
        QString storage;
        for (size_t i = begin; i < stop; ++i) {
            const FieldMemo::FieldRef ref = fields.sightings[i];
            if (known[i] >= 0) {
                numbers[ref] = known[i];
                continue;
            }
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
    const NumberRange range = blankFirst ? NumberRange::NotNumber : numberRange(text);
    throw RunError(range == NumberRange::TooLarge   ? messages::weightTooLarge(shown)
                   : range == NumberRange::TooSmall ? messages::weightTooSmall(shown)
                                                    : messages::weightNotNumber(shown),
                   recordContext(inputName, blankFirst ? blank : notNumber));
}

// One run, stage by stage: the files it may write, the record pass, the vertex lists, the
// network, then the reports and the putting in place of every file.
class ConversionRun {
public:
    ConversionRun(const ConversionSettings& settings, RunFeedback& feedback)
        : m_settings(settings)
        , m_feedback(feedback)
        , m_twoMode(settings.mode == NetworkMode::TwoMode)
        , m_countSightings(settings.similarityReport &&
                           (settings.reportFormat != ReportFormat::Rtf ||
                            !settings.suggestRenamesPath.isEmpty()))
        , m_lists(QLocale(), settings.mode, settings.caseSensitive, settings.sortAscending)
        , m_log(settings.valueColumn.has_value())
    {
        m_summary.listedNames = settings.cellSeparator.has_value();
    }

    // Asks before replacing any file that may hold the user's work; false when one may not be.
    bool agreeOnOutputs();
    void readRecords(std::unique_ptr<LineReader> input);
    void makeVertexLists();
    void writeNetwork();
    RunOutcome writeReportsAndCommit();

private:
    ListFields& fieldsOf(End end)
    {
        return end == End::Second && m_twoMode ? m_secondFields : m_firstFields;
    }
    FieldMemo::FieldRef collect(const RecordStream::Field& field, qint32 index, End end,
                                qint64 line);
    void collectRecords(std::span<const RecordStream::Record> records);
    void countVertexSightings(const std::vector<int>& firstNumbers,
                              const std::vector<int>& secondNumbers);
    void writePlainLinks(NetworkText& text, const std::vector<int>& firstNumbers,
                         const std::vector<int>& secondEnds);

    const ConversionSettings& m_settings;
    RunFeedback& m_feedback;
    const bool m_twoMode;
    // How often each vertex occurs, for reports that show it or rank spellings by it.
    const bool m_countSightings;
    QString m_networkPath; // empty on standard output
    std::map<QString, Replace> m_replaceAt;
    OutputFiles m_files;
    std::optional<NetworkFile> m_networkFile;
    NetworkText m_text;
    RenameTable m_renames;
    QString m_inputName;
    VertexLists m_lists;
    ListFields m_firstFields;
    ListFields m_secondFields;
    RecordLog m_log;
    RunSummary m_summary;
    WeightKind m_weights = WeightKind::None;
    std::vector<qint64> m_vertexCounts;
};

bool ConversionRun::agreeOnOutputs()
{
    const std::vector<RunOutput> outputs = runOutputs(m_settings);
    if (!m_settings.toStandardOutput) {
        m_networkPath = outputs.front().path;
        checkOutputTarget(m_networkPath);
    }
    // Only a file the user agreed to replace may be replaced at the end; one that appears at the
    // path while the run works is kept.
    for (const RunOutput& output : outputs) {
        Replace& replace = m_replaceAt[output.path];
        replace = m_feedback.replaceAppearingFile() || !output.needsConsent ? Replace::Allowed
                                                                            : Replace::Never;
        if (output.needsConsent && QFileInfo::exists(output.path)) {
            if (!m_feedback.confirmOverwrite(output.path)) {
                m_feedback.showKeptFile(output.path);
                return false;
            }
            replace = Replace::Allowed;
        }
    }
    if (!m_settings.renamePath.isEmpty())
        m_renames = RenameTable::read(m_settings.renamePath);
    return true;
}

FieldMemo::FieldRef ConversionRun::collect(const RecordStream::Field& field, qint32 index, End end,
                                           qint64 line)
{
    if (!field.present)
        throw missingField(index, recordContext(m_inputName, line));
    ListFields& fields = fieldsOf(end);
    const FieldMemo::Sighting sighting =
        fields.memo.see(field.key, field.keyIsText, field.hash, field.shape);
    if (m_countSightings) {
        if (sighting.ref >= fields.seen.size())
            fields.seen.resize(fields.memo.refCount());
        ++fields.seen[sighting.ref];
    }
    // Offering a field again would change nothing.
    if (sighting.first)
        fields.sightings.push_back(sighting.ref);
    return sighting.ref;
}

void ConversionRun::collectRecords(std::span<const RecordStream::Record> records)
{
    const qint32 columns[2] = {m_settings.firstColumn, m_settings.secondColumn};
    if (!m_settings.cellSeparator) {
        forEachRecord(
            records, [this](End end) -> ListFields& { return fieldsOf(end); },
            [&](const RecordStream::Record& record) {
                const FieldMemo::FieldRef first =
                    collect(record.ends[0], columns[0], End::First, record.line);
                m_log.add(first, collect(record.ends[1], columns[1], End::Second, record.line),
                          record.weight, record.line);
            });
        return;
    }
    // A record whose cells list names: each name is collected as a field of its own.
    std::vector<FieldMemo::FieldRef> names[2];
    for (const RecordStream::Record& record : records) {
        for (int e = 0; e < (m_settings.cooccur ? 1 : 2); ++e) {
            const End end = e == 0 ? End::First : End::Second;
            if (!record.ends[e].present)
                throw missingField(columns[e], recordContext(m_inputName, record.line));
            names[e].clear();
            for (const RecordStream::Field& name : record.names[e])
                names[e].push_back(collect(name, columns[e], end, record.line));
        }
        m_log.addNames(names[0], names[1], record.weight, record.line);
    }
}

void ConversionRun::readRecords(std::unique_ptr<LineReader> input)
{
    m_feedback.showStage(messages::stageText(1));
    m_feedback.clearOutput();
    if (!input)
        input = std::make_unique<LineReader>(m_settings.inputPath);
    m_inputName = input->name();
    m_feedback.showStage(messages::stageText(2));
    RecordStream stream(std::move(input), m_settings);
    qint64 recordsRead = 0;
    qint64 quotedLooking = 0;
    stream.forEachBatch([&](std::span<const RecordStream::Record> records) {
        collectRecords(records);
        m_feedback.showRecordsRead(recordsRead += qint64(records.size()));
        if (quotedLooking == 0 && stream.firstQuotedLookingSoFar() != 0)
            m_feedback.showQuotedLookingLine(quotedLooking = stream.firstQuotedLookingSoFar());
    });
    const RecordStream::Notes& notes = stream.notes();
    m_summary.records = notes.records;
    m_summary.weightsNotNumbers = notes.weightsNotNumbers;
    m_summary.firstWeightNotNumber = notes.firstWeightNotNumber;
    m_summary.ctrlZInside = notes.ctrlZInside;
    m_summary.headerLinesTookFile = notes.allInHeader ? m_settings.headerLines : 0;
    if (m_settings.merge == MergeRule::Sum || m_settings.merge == MergeRule::Max)
        checkWeightsAreNumbers(notes, m_inputName);
    m_weights = weightKind(m_settings, notes);
    buildCandidateTexts(m_firstFields, m_settings.strip, m_renames, 0);
    m_lists.addCandidates(End::First, m_firstFields.texts);
    if (m_twoMode) {
        buildCandidateTexts(m_secondFields, m_settings.strip, m_renames, 1);
        m_lists.addCandidates(End::Second, m_secondFields.texts);
    }
}

void ConversionRun::makeVertexLists()
{
    m_feedback.showStage(messages::stageText(3));
    m_lists.removeBlankCandidates();
    m_lists.normaliseCandidates();
    m_feedback.showStage(messages::stageText(4));
    m_lists.buildVertexLists();
}

void ConversionRun::countVertexSightings(const std::vector<int>& firstNumbers,
                                         const std::vector<int>& secondNumbers)
{
    m_vertexCounts.assign(size_t(m_lists.firstModeCount() + m_lists.secondModeCount()) + 1, 0);
    for (const auto& [fields, numbers] :
         {std::pair(&m_firstFields, &firstNumbers), std::pair(&m_secondFields, &secondNumbers)}) {
        for (size_t ref = 0; ref < fields->seen.size(); ++ref)
            m_vertexCounts[size_t((*numbers)[ref])] += fields->seen[ref];
    }
}

void ConversionRun::writePlainLinks(NetworkText& text, const std::vector<int>& firstNumbers,
                                    const std::vector<int>& secondEnds)
{
    // The edge lines are made here, on two threads at once, not by the writer one by one.
    PajekWriter header(text, m_settings.directed, m_weights);
    writeNetworkVertices(header, m_settings, m_lists, m_summary);
    m_log.drain([&](const RecordLog::Chunk& chunk) {
        m_summary.edgeLines += appendEdgeLines(text, chunk, m_settings.valueColumn.has_value(),
                                               firstNumbers, secondEnds);
    });
    m_summary.recordsWithoutLink = m_summary.records - m_summary.edgeLines;
}

void ConversionRun::writeNetwork()
{
    m_feedback.showStage(messages::stageText(5));
    if (m_settings.valueColumn && m_log.firstLackingWeight() != 0)
        throw missingField(*m_settings.valueColumn,
                           recordContext(m_inputName, m_log.firstLackingWeight()));
    // The text goes to the file in pieces of at most about this size, never held whole.
    constexpr qsizetype kPieceBytes = qsizetype(8) << 20;
    // XML declares its encoding; the byte-order mark is for readers of plain text.
    const bool byteOrderMark =
        m_settings.byteOrderMark &&
        (m_settings.format == NetworkFormat::Pajek || m_settings.format == NetworkFormat::Csv);
    if (m_settings.toStandardOutput) {
        m_networkFile.emplace(byteOrderMark);
    } else {
        m_networkFile.emplace(m_files, m_networkPath, m_replaceAt.at(m_networkPath), byteOrderMark);
    }
    m_text.writeOutEvery(kPieceBytes, [this](NetworkText& text) { m_networkFile->write(text); });
    const std::vector<int> firstNumbers = vertexNumbers(m_firstFields, End::First, m_lists);
    const std::vector<int> secondNumbers =
        m_twoMode ? vertexNumbers(m_secondFields, End::Second, m_lists) : std::vector<int>();
    const std::vector<int>& secondEnds = m_twoMode ? secondNumbers : firstNumbers;
    if (m_countSightings)
        countVertexSightings(firstNumbers, secondNumbers);
    m_firstFields = ListFields();
    m_secondFields = ListFields();
    // The plain network: one Pajek edge line per record, made on two threads at once.
    const bool plainLinks = m_settings.format == NetworkFormat::Pajek &&
                            m_settings.merge == MergeRule::None && !m_settings.cellSeparator &&
                            m_settings.projection == Projection::None;
    if (plainLinks)
        writePlainLinks(m_text, firstNumbers, secondEnds);
    else
        writeLinkedNetwork(m_text, m_settings, m_lists, m_log, firstNumbers, secondEnds, m_weights,
                           m_summary);
}

RunOutcome ConversionRun::writeReportsAndCommit()
{
    m_feedback.showStage(m_settings.toStandardOutput
                             ? messages::writingToStandardOutput()
                             : messages::savingStageText(formatExtension(m_settings.format)));
    if (m_settings.similarityReport)
        m_summary.namesLeftOutOfReport = writeSimilarityReports(
            m_lists, m_vertexCounts, m_settings, [this](const QString& path) -> AtomicFile& {
                return m_files.create(path, m_replaceAt.at(path));
            });
    m_networkFile->write(m_text);
    m_networkFile->finish();
    // Every file is complete: the reports and the rename table go in place, then the network.
    if (!m_files.commit()) {
        m_feedback.closeProgress();
        m_feedback.showKeptFile(m_files.blockedPath());
        return RunOutcome::OverwriteDeclined;
    }
    m_feedback.closeProgress();
    if (!m_settings.toStandardOutput)
        m_summary.networkPath = m_networkPath;
    m_feedback.showSummary(m_summary);
    m_feedback.showMessage(
        m_settings.similarityReport
            ? messages::savedNetworkAndReport(formatExtension(m_settings.format),
                                              formatName(m_settings.format),
                                              reportExtension(m_settings.reportFormat))
            : messages::savedNetwork());
    return RunOutcome::Written;
}

} // namespace

RunOutcome runConversion(const ConversionSettings& settings, RunFeedback& feedback,
                         std::unique_ptr<LineReader> input)
{
    if (!settings.toStandardOutput && withoutExtension(settings.outputPath).isEmpty()) {
        feedback.showMessage(messages::noOutputFile());
        return RunOutcome::NoOutputFile;
    }
    if (const QString problem = settingsProblem(settings); !problem.isEmpty())
        throw RunError(problem);
    ConversionRun run(settings, feedback);
    if (!run.agreeOnOutputs())
        return RunOutcome::OverwriteDeclined;
    run.readRecords(std::move(input));
    run.makeVertexLists();
    run.writeNetwork();
    return run.writeReportsAndCommit();
}

} // namespace urdiva
