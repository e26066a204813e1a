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

// The files a run writes that it knows of before it reads the data, in the order they are made:
// the network (unless it goes to standard output), the vertex table of a CSV network with
// attributes or the project of a Pajek network with attributes, the first mode's report and the
// second mode's, the rename table.
std::vector<RunOutput> runOutputs(const ConversionSettings& settings);

// Whether the run writes a vertex table: a CSV network with vertex attributes does, as
// <name>_vertices.csv beside it.
bool hasVertexTable(const ConversionSettings& settings);
// Whether the run writes Pajek's objects for vertex attributes (see pajek_attributes.h): a
// project <name>.paj, and a <name>_<attribute>.clu or .vec per attribute, with a
// <name>_<attribute>_legenda.csv beside each partition; their names are known once the data
// is read.
bool hasPajekObjects(const ConversionSettings& settings);
// The path of a file beside the network: its name without extension, followed by `suffix`.
QString besideNetwork(const QString& outputPath, QStringView suffix);

// The first reason why the run's files cannot be as the settings say, in Portuguese: an output
// that is a file the run reads (whatever consent is given), two outputs at one path, or a rename
// table named '-'.
std::optional<Problem> runFilesProblem(const ConversionSettings& settings);
// The same for any outputs of the run.
std::optional<Problem> outputsProblem(const ConversionSettings& settings,
                                      const std::vector<RunOutput>& outputs);

} // namespace urdiva
