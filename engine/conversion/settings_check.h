// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"

#include <QString>

namespace urdiva {

// The one check of which options go together, for every front end before a run (and for the run
// itself): the first problem with the settings, in Portuguese and named by the command line's
// options, or an empty text. It ends with the files the run reads and writes (see
// runFilesProblem).
QString settingsProblem(const ConversionSettings& settings);

} // namespace urdiva
