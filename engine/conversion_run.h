#pragma once

#include "conversion_settings.h"
#include "run_feedback.h"

namespace urdiva {

enum class RunOutcome {
    Written, // the network file is written and the final message shown
    NoOutputFile, // the output path names no file; the message was shown
    OverwriteDeclined, // the user kept the existing file; nothing was done
};

// One conversion run, from the output-path checks to the final message. Any other failure
// raises RunError with the text for the error box; nothing done before it is undone.
RunOutcome runConversion(const ConversionSettings& settings, RunFeedback& feedback);

} // namespace urdiva
