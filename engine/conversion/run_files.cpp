// SPDX-License-Identifier: MIT
#include "engine/conversion/run_files.h"

#include "engine/io/native_file.h"
#include "engine/io/paths.h"
#include "engine/network/network_writer.h"
#include "engine/report/report_paths.h"

#include <QDir>
#include <QFileInfo>

namespace urdiva {
namespace {

QString cleanAbsolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool sameFile(const QString& a, const QString& b)
{
    return cleanAbsolute(a) == cleanAbsolute(b) || native::sameExistingFile(a, b);
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

bool hasVertexTable(const ConversionSettings& settings)
{
    return settings.format == NetworkFormat::Csv &&
           (!settings.attributeColumns.empty() || !settings.secondAttributeColumns.empty());
}

bool hasPajekObjects(const ConversionSettings& settings)
{
    return settings.format == NetworkFormat::Pajek &&
           (!settings.attributeColumns.empty() || !settings.secondAttributeColumns.empty());
}

QString besideNetwork(const QString& outputPath, QStringView suffix)
{
    const PathRules rules = PathRules::host();
    const QString name = withoutExtension(outputPath, rules).append(suffix);
    const QString folder = folderOf(outputPath, rules);
    return folder.isEmpty() ? name : folder + rules.folderSeparator + name;
}

std::vector<RunOutput> runOutputs(const ConversionSettings& settings)
{
    std::vector<RunOutput> outputs;
    if (!settings.toStandardOutput)
        outputs.push_back({finalOutputPath(settings.outputPath, PathRules::host(),
                                           formatExtension(settings.format)),
                           true});
    if (hasVertexTable(settings))
        outputs.push_back({besideNetwork(settings.outputPath, u"_vertices.csv"), true});
    if (hasPajekObjects(settings))
        outputs.push_back({besideNetwork(settings.outputPath, u".paj"), true});
    if (!settings.similarityReport)
        return outputs;
    const bool consent = settings.reportFormat != ReportFormat::Rtf;
    outputs.push_back({reportPath(settings.outputPath, settings.reportFormat, false), consent});
    if (settings.reportBothModes && settings.mode == NetworkMode::TwoMode)
        outputs.push_back({reportPath(settings.outputPath, settings.reportFormat, true), consent});
    if (!settings.suggestRenamesPath.isEmpty())
        outputs.push_back({settings.suggestRenamesPath, true});
    return outputs;
}

std::optional<Problem> runFilesProblem(const ConversionSettings& settings)
{
    for (const QString& table : {settings.renamePath, settings.suggestRenamesPath}) {
        if (table == u"-")
            return QStringLiteral("A tabela de nomes precisa de um arquivo, não '-' (para um "
                                  "arquivo chamado assim, escreva ./-).");
    }
    return outputsProblem(settings, runOutputs(settings));
}

std::optional<Problem> outputsProblem(const ConversionSettings& settings,
                                      const std::vector<RunOutput>& outputs)
{
    for (size_t i = 0; i < outputs.size(); ++i) {
        const QString& path = outputs[i].path;
        if (settings.inputPath != u"-" && sameFile(path, settings.inputPath))
            return QStringLiteral("O arquivo de saída \"%1\" é o próprio arquivo de dados; "
                                  "escolha outro nome.")
                .arg(shown(path));
        if (!settings.renamePath.isEmpty() && sameFile(path, settings.renamePath))
            return QStringLiteral("O arquivo de saída \"%1\" é a tabela de nomes lida; escolha "
                                  "outro nome.")
                .arg(shown(path));
        for (size_t j = 0; j < i; ++j) {
            if (sameFile(path, outputs[j].path))
                return QStringLiteral("Dois arquivos de saída seriam o mesmo arquivo \"%1\"; "
                                      "escolha outro nome.")
                    .arg(shown(path));
        }
    }
    return std::nullopt;
}

} // namespace urdiva
