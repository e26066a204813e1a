// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/messages.h"

#include <QString>

namespace urdiva {

// What a finished run did and noticed, for the command line's summary and warnings. Lines are
// numbered from 1; 0 is none.
struct RunSummary {
    QString networkPath; // the file written; empty on standard output
    qint64 records = 0;
    qint64 edgeLines = 0;
    qint64 recordsWithoutLink = 0; // a blank end, or names that give no link
    bool listedNames = false; // ends list several names (a cell separator)
    bool twoMode = false;
    qsizetype firstModeVertices = 0;
    qsizetype secondModeVertices = 0;
    // Names written changed: in Pajek, their quotation marks or line breaks replaced; in XML
    // (inXml), characters XML cannot hold replaced by U+FFFD.
    qsizetype namesChanged = 0;
    bool inXml = false;
    qsizetype namesEndingInBackslash = 0; // in a Pajek file
    qsizetype namesWithNul = 0; // NUL characters written as U+FFFD, in Pajek or CSV
    qint64 weightsNotNumbers = 0;
    qint64 firstWeightNotNumber = 0;
    qint64 ctrlZInside = 0; // a Ctrl-Z that more records followed
    qint64 errorCells = 0; // a workbook's cells that held an error, read as empty
    int headerLinesTookFile = 0; // the header lines, when the file had no other line
    qsizetype namesLeftOutOfReport = 0; // too long to be compared
    qsizetype attributeConflicts = 0; // vertices given more than one value for an attribute
    qint64 recordsWithoutTime = 0; // with a time column, records whose cell is no year or date
};

// What a run asks of its surroundings, in the order a successful run calls it.
class RunFeedback {
public:
    virtual ~RunFeedback() = default;

    // Asked for each file the run would replace that may hold the user's work (see RunOutput),
    // network first, only when it exists.
    virtual bool confirmOverwrite(const QString& path) = 0;
    // Whether a file that appears at an output path while the run works may be replaced by the
    // run's file. Nobody agreed to that unless the front end says so.
    virtual bool replaceAppearingFile() const { return false; }
    // When the run ends as refused: the file it kept, which the user did not agree to replace or
    // which appeared while the run worked.
    virtual void showKeptFile(const QString&) { }
    // Called six times with messages::stageText(1) to (6), and with a similar-vertex report
    // messages::reportStageText() between (5) and (6); the first call opens the progress display.
    virtual void showStage(const QString& text) = 0;
    // During stage 2, after each batch of record lines: how many have been read so far.
    virtual void showRecordsRead(qint64) { }
    // During stage 2, once, when quoted fields are not read: the number of the first line that
    // looks as if it had some (see RecordLine::looksQuoted).
    virtual void showQuotedLookingLine(qint64) { }
    virtual void clearOutput() = 0;
    virtual void closeProgress() = 0;
    // Once the network is in place, before the final message.
    virtual void showSummary(const RunSummary&) { }
    virtual void showMessage(const QString& text) = 0;
};

} // namespace urdiva
