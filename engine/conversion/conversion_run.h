// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/core/run_feedback.h"
#include "engine/io/line_reader.h"

#include <memory>

namespace urdiva {

enum class RunOutcome {
    Written, // the network file is written and the final message shown
    NoOutputFile, // the output path names no file; the message was shown
    OverwriteDeclined, // the user kept the existing file, or one appeared at the path during
                       // the run without consent to replace it; nothing was written
};

// One conversion run, from the output-path checks to the final message. Any other failure
// raises RunError with the text for the error box; nothing done before it is undone. The data
// file is read once, from `input` when given (already open: standard input, or a file whose
// first line gave the column names), else from settings.inputPath.
RunOutcome runConversion(const ConversionSettings& settings, RunFeedback& feedback,
                         std::unique_ptr<LineReader> input = nullptr);

} // namespace urdiva
