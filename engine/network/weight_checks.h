// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/io/record_stream.h"
#include "engine/network/network_writer.h"

namespace urdiva {

// What the weights of the network written are: generated counts, weights checked to be numbers,
// or the weights as they were read.
WeightKind weightKind(const ConversionSettings& settings, const RecordStream::Notes& notes);

// Weights that are added or compared must all be numbers: the first that is not (blank, too
// large, too near zero or no number at all) raises a RunError naming its line in `inputName`.
void checkWeightsAreNumbers(const RecordStream::Notes& notes, const QString& inputName);

} // namespace urdiva
