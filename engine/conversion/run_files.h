// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/core/problem.h"

#include <QString>

#include <optional>
#include <vector>

namespace urdiva {

// A file a run writes, and whether an existing one is replaced only with the user's consent (the
// network, a CSV or HTML report and a rename table may hold work of the user's; an RTF report of
// the same name is replaced as it always has been).
struct RunOutput {
    QString path;
    bool needsConsent;
};

// The files a run writes, in the order they are made: the network (unless it goes to standard
// output), the vertex table of a CSV network with attributes, the first mode's report and the
// second mode's, the rename table.
std::vector<RunOutput> runOutputs(const ConversionSettings& settings);

// Whether the run writes a vertex table: a CSV network with vertex attributes does, as
// <name>_vertices.csv beside it.
bool hasVertexTable(const ConversionSettings& settings);
QString vertexTablePath(const QString& outputPath);

// The first reason why the run's files cannot be as the settings say, in Portuguese: an output
// that is a file the run reads (whatever consent is given), two outputs at one path, or a rename
// table named '-'.
std::optional<Problem> runFilesProblem(const ConversionSettings& settings);

} // namespace urdiva
