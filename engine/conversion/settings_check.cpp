// SPDX-License-Identifier: MIT
#include "engine/conversion/settings_check.h"

#include "engine/conversion/run_files.h"
#include "engine/core/choices.h"

namespace urdiva {
namespace {

using Kind = SettingsProblem::Kind;

SettingsProblem problemOf(Kind kind)
{
    return SettingsProblem {kind, MergeRule::None, {}};
}

std::optional<SettingsProblem> linkProblem(const ConversionSettings& s)
{
    if (s.merge != MergeRule::None && s.merge != MergeRule::Count && !s.valueColumn)
        return SettingsProblem {Kind::MergeNeedsWeights, s.merge, {}};
    if (s.cellSeparator && *s.cellSeparator == s.separator)
        return problemOf(Kind::CellSeparatorIsColumnSeparator);
    if (s.projection != Projection::None) {
        if (s.mode != NetworkMode::TwoMode)
            return problemOf(Kind::ProjectionNeedsTwoModes);
        if (s.directed || s.merge != MergeRule::None || s.valueColumn)
            return problemOf(Kind::ProjectionWithWeightsOrArcs);
    }
    if (s.cooccur) {
        if (!s.cellSeparator)
            return problemOf(Kind::CooccurrenceNeedsCellSeparator);
        if (s.mode == NetworkMode::TwoMode || s.directed)
            return problemOf(Kind::CooccurrenceWithTwoModesOrArcs);
    }
    if (s.quotedFields && (s.separator == u'"' || s.cellSeparator == std::optional<QChar>(u'"')))
        return problemOf(Kind::QuoteSeparates);
    if (!s.attributeColumns.empty() || !s.secondAttributeColumns.empty()) {
        if (s.cooccur)
            return problemOf(Kind::AttributesWithCooccurrence);
        if ((s.format == NetworkFormat::Pajek || s.format == NetworkFormat::Csv) &&
            s.toStandardOutput)
            return problemOf(Kind::AttributeFilesOnStandardOutput);
    }
    return std::nullopt;
}

std::optional<SettingsProblem> reportProblem(const ConversionSettings& s)
{
    if (!s.similarityReport) {
        const std::pair<bool, Kind> needsReport[] = {
            {s.reportFormat != ReportFormat::Rtf, Kind::ReportFormatWithoutReport},
            {s.foldAccents, Kind::FoldAccentsWithoutReport},
            {s.tokenSort, Kind::TokenSortWithoutReport},
            {s.reportBothModes, Kind::SecondModeReportWithoutReport},
            {!s.suggestRenamesPath.isEmpty(), Kind::SuggestedTableWithoutReport},
        };
        for (const auto& [given, kind] : needsReport) {
            if (given)
                return problemOf(kind);
        }
        return std::nullopt;
    }
    if (s.toStandardOutput)
        return problemOf(Kind::ReportOnStandardOutput);
    if (s.reportBothModes && s.mode != NetworkMode::TwoMode)
        return problemOf(Kind::SecondModeReportNeedsTwoModes);
    return std::nullopt;
}

} // namespace

std::optional<SettingsProblem> findSettingsProblem(const ConversionSettings& settings)
{
    if (settings.similarityThreshold < kLeastThreshold ||
        settings.similarityThreshold > kMostThreshold)
        return problemOf(Kind::ThresholdOutOfRange);
    if (settings.headerLines < 0 || settings.headerLines > kMostHeaderLines)
        return problemOf(Kind::HeaderLinesOutOfRange);
    if (auto problem = linkProblem(settings))
        return problem;
    if (auto problem = reportProblem(settings))
        return problem;
    if (std::optional<Problem> problem = runFilesProblem(settings))
        return SettingsProblem {Kind::Files, MergeRule::None, problem->text};
    return std::nullopt;
}

QString commandLineText(const SettingsProblem& problem)
{
    const auto needsReport = [](const char* option) {
        return QStringLiteral("A opção '--%1' precisa de '--report'.")
            .arg(QLatin1StringView(option));
    };
    switch (problem.kind) {
    case Kind::ThresholdOutOfRange:
        return QStringLiteral("A taxa de similaridade vai de %1 a %2%.")
            .arg(kLeastThreshold)
            .arg(kMostThreshold);
    case Kind::HeaderLinesOutOfRange:
        return QStringLiteral("As linhas de cabeçalho a ignorar vão de 0 a %1.")
            .arg(kMostHeaderLines);
    case Kind::MergeNeedsWeights:
        return QStringLiteral("A opção '--merge %1' precisa de '--value'.")
            .arg(QLatin1StringView(choiceOf(problem.merge).word));
    case Kind::CellSeparatorIsColumnSeparator:
        return QStringLiteral("A opção '--cell-separator' precisa de um caractere diferente do "
                              "separador de colunas.");
    case Kind::ProjectionNeedsTwoModes:
        return QStringLiteral("A opção '--project' precisa de '--two-mode'.");
    case Kind::ProjectionWithWeightsOrArcs:
        return QStringLiteral("A opção '--project' dá arestas pesadas pelo número de vértices "
                              "partilhados: não vai com '--directed', '--merge' nem '--value'.");
    case Kind::CooccurrenceNeedsCellSeparator:
        return QStringLiteral("A opção '--cooccur' precisa de '--cell-separator'.");
    case Kind::CooccurrenceWithTwoModesOrArcs:
        return QStringLiteral("A opção '--cooccur' dá uma rede de um modo, com arestas: não vai "
                              "com '--two-mode' nem '--directed'.");
    case Kind::QuoteSeparates:
        return QStringLiteral("Com '--quotes', as aspas (\") abrem campos: não podem separar "
                              "colunas nem nomes.");
    case Kind::AttributesWithCooccurrence:
        return QStringLiteral("Os atributos ('--attribute', '--second-attribute') não vão com "
                              "'--cooccur': a célula de um registro lista vários nomes, e o valor "
                              "não diria de qual deles é.");
    case Kind::AttributeFilesOnStandardOutput:
        return QStringLiteral("Em Pajek e em CSV, os atributos vão em arquivos ao lado da rede "
                              "(partições, vetores e projeto; tabela de vértices): precisam de "
                              "um arquivo OUTPUT, não '-'.");
    case Kind::ReportFormatWithoutReport:
        return needsReport("report-format");
    case Kind::FoldAccentsWithoutReport:
        return needsReport("fold-accents");
    case Kind::TokenSortWithoutReport:
        return needsReport("token-sort");
    case Kind::SecondModeReportWithoutReport:
        return needsReport("report-modes");
    case Kind::SuggestedTableWithoutReport:
        return needsReport("suggest-renames");
    case Kind::ReportOnStandardOutput:
        return QStringLiteral("A opção '--report' precisa de um arquivo OUTPUT, não '-'.");
    case Kind::SecondModeReportNeedsTwoModes:
        return QStringLiteral("A opção '--report-modes both' precisa de '--two-mode'.");
    case Kind::Files:
        break;
    }
    return problem.filesText;
}

std::optional<Problem> settingsProblem(const ConversionSettings& settings)
{
    if (const std::optional<SettingsProblem> problem = findSettingsProblem(settings))
        return commandLineText(*problem);
    return std::nullopt;
}

} // namespace urdiva
