// SPDX-License-Identifier: MIT
#include "engine/report/report_paths.h"

#include "engine/core/choices.h"

#include <cstdlib>

namespace urdiva {

namespace {

QString besideOutput(const QString& outputPath, const PathRules& rules, QStringView prefix,
                     QStringView ending)
{
    const QString name =
        prefix.toString() + withoutExtension(outputPath, rules) + ending.toString();
    const QString folder = folderOf(outputPath, rules);
    return folder.isEmpty() ? name : folder + rules.folderSeparator + name;
}

} // namespace

QString similarityReportPath(const QString& outputPath, const PathRules& rules, QStringView ending)
{
    return besideOutput(outputPath, rules, u"Similaridade_", ending);
}

QString suggestedTablePath(const QString& outputPath)
{
    return besideOutput(outputPath, PathRules::host(), u"Nomes_", u".csv");
}

QString reportPath(const QString& outputPath, ReportFormat format, bool secondMode)
{
    return similarityReportPath(outputPath, PathRules::host(),
                                (secondMode ? QStringLiteral("_segundo_modo") : QString()) +
                                    reportExtension(format).toString());
}

QStringView reportExtension(ReportFormat format)
{
    return choiceOf(format).extension;
}

} // namespace urdiva
