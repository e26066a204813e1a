// SPDX-License-Identifier: MIT
#include "engine/conversion/conversion_run.h"

#include "engine/conversion/run_files.h"
#include "engine/conversion/settings_check.h"
#include "engine/core/parallel.h"
#include "engine/core/run_error.h"
#include "engine/io/data_file.h"
#include "engine/io/line_reader.h"
#include "engine/io/paths.h"
#include "engine/io/record_stream.h"
#include "engine/io/time_text.h"
#include "engine/names/rename_table.h"
#include "engine/names/vertex_lists.h"
#include "engine/names/vertex_numbering.h"
#include "engine/network/attribute_tally.h"
#include "engine/network/link_network.h"
#include "engine/network/network_file.h"
#include "engine/network/network_writer.h"
#include "engine/network/pajek_attributes.h"
#include "engine/network/record_log.h"
#include "engine/network/weight_checks.h"
#include "engine/report/report_paths.h"
#include "engine/report/similarity_report.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace urdiva {
namespace {

RunError missingField(qint32 index, const QString& context)
{
    return RunError(messages::listIndexOutOfBounds(index), context);
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
    // False when a file whose name the data gave may not be replaced.
    bool writeNetwork();
    RunOutcome writeReportsAndCommit();

private:
    // A Pajek object of a vertex attribute, and the legend of a partition (empty path: none).
    struct PajekObject {
        VertexAttribute attribute;
        QString path;
        QString legendPath;
    };

    bool agreeOn(const std::vector<RunOutput>& outputs);
    bool agreeOnPajekObjects(std::vector<VertexAttribute> attributes);
    void writePajekObjects();
    ListFields& fieldsOf(End end)
    {
        return end == End::Second && m_twoMode ? m_secondFields : m_firstFields;
    }
    FieldMemo::FieldRef collect(const RecordStream::Field& field, qint32 index, End end,
                                qint64 line);
    void collectRecords(std::span<const RecordStream::Record> records);
    void countVertexSightings(const std::vector<int>& firstNumbers,
                              const std::vector<int>& secondNumbers);
    // The record's attribute values for the vertices of its ends' fields.
    void tallyAttributes(const RecordStream::Record& record,
                         std::span<const FieldMemo::FieldRef> firsts,
                         std::span<const FieldMemo::FieldRef> seconds);
    // The record's time; a cell that is no year or date, or not of the kind of the first
    // time read, gives none.
    qint32 recordTime(const RecordStream::Record& record);
    // The column's name in the header line, or "coluna N".
    QString columnTitle(qint32 column) const
    {
        const QString name = column < m_columnNames.size() ? m_columnNames[column] : QString();
        return name.isEmpty() ? messages::columnName(column + 1) : name;
    }
    std::vector<VertexAttribute> resolveAttributes(const std::vector<int>& firstNumbers,
                                                   const std::vector<int>& secondNumbers);

    const ConversionSettings& m_settings;
    RunFeedback& m_feedback;
    const bool m_twoMode;
    // How often each vertex occurs, for reports that show it or rank spellings by it.
    const bool m_countSightings;
    QString m_networkPath; // empty on standard output
    std::map<QString, Replace> m_replaceAt;
    OutputFiles m_files;
    std::optional<NetworkFile> m_networkFile;
    OutputBuffer m_text;
    std::optional<NetworkFile> m_vertexTableFile;
    OutputBuffer m_vertexTable;
    std::optional<NetworkFile> m_projectFile;
    std::vector<PajekObject> m_pajekObjects;
    RenameTable m_renames;
    QString m_inputName;
    VertexLists m_lists;
    ListFields m_firstFields;
    ListFields m_secondFields;
    RecordLog m_log;
    RunSummary m_summary;
    WeightKind m_weights = WeightKind::None;
    std::vector<qint64> m_vertexCounts;
    // One per attribute column: the first column's vertices', then the second's.
    std::vector<AttributeTally> m_tallies;
    std::optional<TimeValue::Kind> m_timeKind;
    QStringList m_columnNames;
};

bool ConversionRun::agreeOnOutputs()
{
    const std::vector<RunOutput> outputs = runOutputs(m_settings);
    if (!m_settings.toStandardOutput) {
        m_networkPath = outputs.front().path;
        checkOutputTarget(m_networkPath);
    }
    if (!agreeOn(outputs))
        return false;
    if (!m_settings.renamePath.isEmpty())
        m_renames = RenameTable::read(m_settings.renamePath);
    return true;
}

bool ConversionRun::agreeOn(const std::vector<RunOutput>& outputs)
{
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
    return true;
}

bool ConversionRun::agreeOnPajekObjects(std::vector<VertexAttribute> attributes)
{
    const QStringList parts = attributeFileParts(attributes);
    std::vector<RunOutput> outputs;
    for (size_t a = 0; a < attributes.size(); ++a) {
        const QString stem = u'_' + parts[qsizetype(a)];
        PajekObject object {std::move(attributes[a]), {}, {}};
        object.path = besideNetwork(m_settings.outputPath,
                                    QString(stem).append(pajekObjectExtension(object.attribute)));
        outputs.push_back({object.path, true});
        if (object.attribute.type == VertexAttribute::Type::Text) {
            object.legendPath =
                besideNetwork(m_settings.outputPath, stem + QStringLiteral("_legenda.csv"));
            outputs.push_back({object.legendPath, true});
        }
        m_pajekObjects.push_back(std::move(object));
    }
    std::vector<RunOutput> all = runOutputs(m_settings);
    all.insert(all.end(), outputs.begin(), outputs.end());
    if (const std::optional<Problem> problem = outputsProblem(m_settings, all))
        throw RunError(problem->text);
    for (const RunOutput& output : outputs)
        checkOutputTarget(output.path);
    return agreeOn(outputs);
}

void ConversionRun::writePajekObjects()
{
    const QByteArrayView byteOrderMark =
        m_settings.byteOrderMark ? QByteArrayView("\xEF\xBB\xBF") : QByteArrayView();
    for (const PajekObject& object : m_pajekObjects) {
        OutputBuffer text;
        OutputBuffer legend;
        writePajekObject(text, object.attribute, legend, QLocale());
        m_files.create(object.path, m_replaceAt.at(object.path)).write(text.utf8());
        if (!object.legendPath.isEmpty()) {
            AtomicFile& file = m_files.create(object.legendPath, m_replaceAt.at(object.legendPath));
            file.write(byteOrderMark);
            file.write(legend.utf8());
        }
        OutputBuffer inProject;
        inProject.appendUtf8Line("");
        inProject.appendLine(pajekObjectLine(object.attribute));
        m_projectFile->write(inProject);
        m_projectFile->write(text);
    }
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
                const FieldMemo::FieldRef second =
                    collect(record.ends[1], columns[1], End::Second, record.line);
                m_log.add(first, second, record.weight, record.line);
                if (m_settings.timeColumn)
                    m_log.addTime(recordTime(record));
                if (!m_tallies.empty())
                    tallyAttributes(record, {&first, 1}, {&second, 1});
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
        if (m_settings.timeColumn)
            m_log.addTime(recordTime(record));
        if (!m_tallies.empty())
            tallyAttributes(record, names[0], names[1]);
    }
}

void ConversionRun::tallyAttributes(const RecordStream::Record& record,
                                    std::span<const FieldMemo::FieldRef> firsts,
                                    std::span<const FieldMemo::FieldRef> seconds)
{
    const size_t firstColumns = m_settings.attributeColumns.size();
    for (size_t a = 0; a < m_tallies.size(); ++a) {
        const QByteArrayView value = record.attributes[a];
        const qint32 column = a < firstColumns
                                  ? m_settings.attributeColumns[a]
                                  : m_settings.secondAttributeColumns[a - firstColumns];
        if (value.isNull())
            throw missingField(column, recordContext(m_inputName, record.line));
        for (const FieldMemo::FieldRef ref : a < firstColumns ? firsts : seconds)
            m_tallies[a].add(ref, value);
    }
}

qint32 ConversionRun::recordTime(const RecordStream::Record& record)
{
    const QByteArrayView text = record.attributes[m_tallies.size()];
    if (text.isNull())
        throw missingField(*m_settings.timeColumn, recordContext(m_inputName, record.line));
    const std::optional<TimeValue> time = readTime(text);
    if (!time || (m_timeKind && *m_timeKind != time->kind)) {
        ++m_summary.recordsWithoutTime;
        return kNoTime;
    }
    m_timeKind = time->kind;
    return time->value;
}

std::vector<VertexAttribute> ConversionRun::resolveAttributes(const std::vector<int>& firstNumbers,
                                                              const std::vector<int>& secondNumbers)
{
    const size_t count = m_tallies.size();
    const size_t firstColumns = m_settings.attributeColumns.size();
    const int vertexCount = int(m_lists.firstModeCount() + m_lists.secondModeCount());
    QStringList names;
    std::vector<VertexAttribute> attributes(count);
    std::vector<std::vector<bool>> conflicting(count);
    // Each attribute on a thread of its own: they share nothing.
    std::vector<std::function<void()>> tasks;
    for (size_t a = 0; a < count; ++a) {
        const bool ofFirst = a < firstColumns;
        const qint32 column = ofFirst ? m_settings.attributeColumns[a]
                                      : m_settings.secondAttributeColumns[a - firstColumns];
        QString name = columnTitle(column);
        // Two attributes of one name would be one in a reader.
        for (int n = 2; names.contains(name); ++n)
            name = QStringLiteral("%1 (%2)").arg(name).arg(n);
        names << name;
        const std::vector<int>& numbers = ofFirst || !m_twoMode ? firstNumbers : secondNumbers;
        tasks.push_back([this, a, name, &numbers, vertexCount, &attributes, &conflicting] {
            conflicting[a].assign(size_t(vertexCount) + 1, false);
            attributes[a] = m_tallies[a].resolve(name, numbers, vertexCount,
                                                 m_settings.decimalComma, conflicting[a]);
        });
    }
    runTogether(tasks);
    qsizetype conflicts = 0;
    for (int v = 1; v <= vertexCount; ++v)
        conflicts += std::any_of(conflicting.begin(), conflicting.end(),
                                 [v](const std::vector<bool>& marks) { return marks[size_t(v)]; });
    m_summary.attributeConflicts = conflicts;
    m_tallies.clear();
    return attributes;
}

void ConversionRun::readRecords(std::unique_ptr<LineReader> input)
{
    m_feedback.showStage(messages::stageText(1));
    m_feedback.clearOutput();
    if (!input)
        input = openDataFile(m_settings.inputPath, m_settings.sheet);
    m_inputName = input->name();
    m_feedback.showStage(messages::stageText(2));
    RecordStream stream(std::move(input), m_settings);
    m_tallies.resize(m_settings.attributeColumns.size() + m_settings.secondAttributeColumns.size());
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
    m_summary.errorCells = notes.errorCells;
    m_summary.headerLinesTookFile = notes.allInHeader ? m_settings.headerLines : 0;
    m_columnNames = notes.columnNames;
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

bool ConversionRun::writeNetwork()
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
    const std::vector<int> firstNumbers = vertexNumbers(m_firstFields, End::First, m_lists);
    const std::vector<int> secondNumbers =
        m_twoMode ? vertexNumbers(m_secondFields, End::Second, m_lists) : std::vector<int>();
    const std::vector<int>& secondEnds = m_twoMode ? secondNumbers : firstNumbers;
    if (m_countSightings)
        countVertexSightings(firstNumbers, secondNumbers);
    const std::vector<VertexAttribute> attributes = resolveAttributes(firstNumbers, secondNumbers);
    m_firstFields = ListFields();
    m_secondFields = ListFields();
    if (hasPajekObjects(m_settings) &&
        !agreeOnPajekObjects(writtenAttributes(attributes, m_settings, m_lists))) {
        m_feedback.closeProgress();
        return false;
    }
    // The files beside the network are made after its file: they go in place before it.
    if (hasVertexTable(m_settings)) {
        const QString path = besideNetwork(m_settings.outputPath, u"_vertices.csv");
        m_vertexTableFile.emplace(m_files, path, m_replaceAt.at(path), m_settings.byteOrderMark);
    }
    if (hasPajekObjects(m_settings)) {
        // A project holds the network, then its partitions and vectors.
        const QString path = besideNetwork(m_settings.outputPath, u".paj");
        m_projectFile.emplace(m_files, path, m_replaceAt.at(path), m_settings.byteOrderMark);
        OutputBuffer networkLine;
        networkLine.appendLine(QStringLiteral("*Network ") +
                               QFileInfo(withoutExtension(m_networkPath)).fileName());
        m_projectFile->write(networkLine);
    }
    m_text.writeOutEvery(kPieceBytes, [this](OutputBuffer& text) {
        if (m_projectFile)
            m_projectFile->write(text.utf8());
        m_networkFile->write(text);
    });
    std::optional<LinkTimes> times;
    if (m_settings.timeColumn)
        times = LinkTimes {m_timeKind.value_or(TimeValue::Kind::Year),
                           columnTitle(*m_settings.timeColumn), false};
    urdiva::writeNetwork(m_text, m_settings, m_lists, m_log, firstNumbers, secondEnds, m_weights,
                         attributes, m_vertexTableFile ? &m_vertexTable : nullptr, times,
                         m_summary);
    return true;
}

RunOutcome ConversionRun::writeReportsAndCommit()
{
    if (m_settings.similarityReport) {
        m_feedback.showStage(messages::reportStageText());
        m_summary.namesLeftOutOfReport = writeSimilarityReports(
            m_lists, m_vertexCounts, m_settings, [this](const QString& path) -> AtomicFile& {
                return m_files.create(path, m_replaceAt.at(path));
            });
    }
    m_feedback.showStage(m_settings.toStandardOutput
                             ? messages::writingToStandardOutput()
                             : messages::savingStageText(formatExtension(m_settings.format)));
    if (m_projectFile)
        m_projectFile->write(m_text.utf8());
    m_networkFile->write(m_text);
    m_networkFile->finish();
    if (m_projectFile) {
        writePajekObjects();
        m_projectFile->finish();
    }
    if (m_vertexTableFile) {
        m_vertexTableFile->write(m_vertexTable);
        m_vertexTableFile->finish();
    }
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
    if (const std::optional<Problem> problem = settingsProblem(settings))
        throw RunError(problem->text);
    ConversionRun run(settings, feedback);
    if (!run.agreeOnOutputs())
        return RunOutcome::OverwriteDeclined;
    run.readRecords(std::move(input));
    run.makeVertexLists();
    if (!run.writeNetwork())
        return RunOutcome::OverwriteDeclined;
    return run.writeReportsAndCommit();
}

} // namespace urdiva
