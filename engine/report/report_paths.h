// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/io/paths.h"

#include <QString>

namespace urdiva {

// Where the report for an output path goes: its folder, "Similaridade_", its base name and
// `ending` (".rtf", or another extension, perhaps after a suffix). An output path without a
// folder puts the report in the current folder, beside the network file, rather than at the root.
QString similarityReportPath(const QString& outputPath, const PathRules& rules = PathRules::host(),
                             QStringView ending = u".rtf");

// Where the window puts the rename table it suggests for an output path: beside the report, as
// "Nomes_", the base name and ".csv".
QString suggestedTablePath(const QString& outputPath);

// The path of the report of one mode (the second mode's has "_segundo_modo" before its
// extension) for an output path, on this system.
QString reportPath(const QString& outputPath, ReportFormat format, bool secondMode);

// The extension of a report file in the format, dot included.
QStringView reportExtension(ReportFormat format);

} // namespace urdiva
