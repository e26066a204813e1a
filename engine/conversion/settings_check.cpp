// SPDX-License-Identifier: MIT
#include "engine/conversion/settings_check.h"

#include "engine/conversion/run_files.h"

namespace urdiva {
namespace {

QString mergeWord(MergeRule rule)
{
    switch (rule) {
    case MergeRule::Sum:
        return QStringLiteral("sum");
    case MergeRule::Max:
        return QStringLiteral("max");
    case MergeRule::First:
        return QStringLiteral("first");
    case MergeRule::None:
    case MergeRule::Count:
        break;
    }
    return QStringLiteral("count");
}

QString linkProblem(const ConversionSettings& s)
{
    if (s.merge != MergeRule::None && s.merge != MergeRule::Count && !s.valueColumn)
        return QStringLiteral("A opção '--merge %1' precisa de '--value'.").arg(mergeWord(s.merge));
    if (s.cellSeparator && *s.cellSeparator == s.separator)
        return QStringLiteral("A opção '--cell-separator' precisa de um caractere diferente do "
                              "separador de colunas.");
    if (s.projection != Projection::None) {
        if (s.mode != NetworkMode::TwoMode)
            return QStringLiteral("A opção '--project' precisa de '--two-mode'.");
        if (s.directed || s.merge != MergeRule::None || s.valueColumn)
            return QStringLiteral("A opção '--project' dá arestas pesadas pelo número de "
                                  "vértices partilhados: não vai com '--directed', '--merge' nem "
                                  "'--value'.");
    }
    if (s.cooccur) {
        if (!s.cellSeparator)
            return QStringLiteral("A opção '--cooccur' precisa de '--cell-separator'.");
        if (s.mode == NetworkMode::TwoMode || s.directed)
            return QStringLiteral("A opção '--cooccur' dá uma rede de um modo, com arestas: não "
                                  "vai com '--two-mode' nem '--directed'.");
    }
    if (s.quotedFields && (s.separator == u'"' || s.cellSeparator == std::optional<QChar>(u'"')))
        return QStringLiteral("Com '--quotes', as aspas (\") abrem campos: não podem separar "
                              "colunas nem nomes.");
    return {};
}

QString reportProblem(const ConversionSettings& s)
{
    if (!s.similarityReport) {
        const std::pair<bool, const char*> needsReport[] = {
            {s.reportFormat != ReportFormat::Rtf, "report-format"},
            {s.foldAccents, "fold-accents"},
            {s.tokenSort, "token-sort"},
            {s.reportBothModes, "report-modes"},
            {!s.suggestRenamesPath.isEmpty(), "suggest-renames"},
        };
        for (const auto& [given, option] : needsReport) {
            if (given)
                return QStringLiteral("A opção '--%1' precisa de '--report'.")
                    .arg(QLatin1StringView(option));
        }
        return {};
    }
    if (s.toStandardOutput)
        return QStringLiteral("A opção '--report' precisa de um arquivo OUTPUT, não '-'.");
    if (s.reportBothModes && s.mode != NetworkMode::TwoMode)
        return QStringLiteral("A opção '--report-modes both' precisa de '--two-mode'.");
    return {};
}

} // namespace

QString settingsProblem(const ConversionSettings& settings)
{
    for (const auto check : {linkProblem, reportProblem, runFilesProblem}) {
        if (QString problem = check(settings); !problem.isEmpty())
            return problem;
    }
    return {};
}

} // namespace urdiva
