// SPDX-License-Identifier: MIT
#pragma once

#include "engine/network/output_buffer.h"
#include "engine/network/vertex_attribute.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <vector>

namespace urdiva {

// Pajek keeps a vertex attribute as an object of its own, a line per vertex after
// "*Vertices N": a text attribute as a partition (.clu), the vertex's class: its value's number,
// the values numbered from 1 in the locale's collation order, 0 for a vertex without a value; a
// numeric one as a vector (.vec), its value or, for a vertex without one, Pajek's missing value.
QStringView pajekObjectExtension(const VertexAttribute& attribute);
inline constexpr char kPajekMissingValue[] = "999999998";

// The attribute's object; a partition's legend, a CSV of each class and its value, in `legend`.
void writePajekObject(OutputBuffer& text, const VertexAttribute& attribute, OutputBuffer& legend,
                      const QLocale& locale);

// The line that starts the attribute's object in a project file: "*Partition NAME" or
// "*Vector NAME".
QString pajekObjectLine(const VertexAttribute& attribute);

// The attributes' names as parts of file names: without the characters a file name cannot hold
// on some system, and distinct whatever the letter case.
QStringList attributeFileParts(const std::vector<VertexAttribute>& attributes);

} // namespace urdiva
