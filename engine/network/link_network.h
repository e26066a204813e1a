// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/core/run_feedback.h"
#include "engine/names/vertex_lists.h"
#include "engine/network/network_writer.h"
#include "engine/network/record_log.h"
#include "engine/network/vertex_attribute.h"

#include <optional>
#include <vector>

namespace urdiva {

// The network in the settings' format, with its links merged, listed by cell, taken pairwise or
// projected as the settings say: the vertices from the lists, the links from the log (which it
// empties), numbered through firstNumbers and secondNumbers (indexed by field, see FieldMemo).
// Fills the summary's vertex counts, edge lines and records without a link.
// The attributes are indexed by vertex number, as firstNumbers and secondNumbers give them; a
// CSV network writes them in `vertexTable`. With `times`, the records' times (in the log) go
// with their links (see LinkTimes).
// The attributes of the vertices the network has: a projection has one mode's vertices,
// numbered from 1, and the attributes of that mode's columns.
std::vector<VertexAttribute> writtenAttributes(const std::vector<VertexAttribute>& attributes,
                                               const ConversionSettings& settings,
                                               const VertexLists& lists);

void writeNetwork(OutputBuffer& text, const ConversionSettings& settings, const VertexLists& lists,
                  RecordLog& log, const std::vector<int>& firstNumbers,
                  const std::vector<int>& secondNumbers, WeightKind weights,
                  const std::vector<VertexAttribute>& attributes, OutputBuffer* vertexTable,
                  const std::optional<LinkTimes>& times, RunSummary& summary);

} // namespace urdiva
