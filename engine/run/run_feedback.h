#pragma once

#include "engine/run/messages.h"

#include <QString>

namespace urdiva {

class NetworkText;

// What a run asks of its surroundings, in the order a successful run calls it.
class RunFeedback {
public:
    virtual ~RunFeedback() = default;

    // Asked once, only when a file already exists at the final output path.
    virtual bool confirmOverwrite(const QString& finalPath) = 0;
    // Whether a file that appears at the final output path while the run works may be replaced
    // by the network. Nobody agreed to that unless the front end says so.
    virtual bool replaceAppearingFile() const { return false; }
    // Called six times with messages::stageText(1) to (6); the first call opens the progress
    // display.
    virtual void showStage(const QString& text) = 0;
    // During stage 2, after each batch of record lines: how many have been read so far.
    virtual void showRecordsRead(qint64) { }
    virtual void clearOutput() = 0;
    // Whether showOutput() is wanted. Without it the network text is written to the file as it
    // is made, and never held whole in memory.
    virtual bool showsOutput() const { return true; }
    virtual void showOutput(const NetworkText& text) = 0;
    virtual void closeProgress() = 0;
    virtual void showMessage(const QString& text) = 0;
};

} // namespace urdiva
