// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/run_feedback.h"

#include <QString>
#include <QStringList>

namespace urdiva {

// What a finished run tells its user, in Portuguese, for every front end: a sentence for each
// warning, then the one-line summary.
struct RunSummaryText {
    QStringList warnings;
    QString summary;
};

// Each front end names its own controls: `decimalCommaOption` is how its user asks for decimal
// commas ("--decimal-comma" on the command line), suggested when weights are not numbers; empty
// when the option is already on.
RunSummaryText runSummaryText(const RunSummary& summary, const QString& decimalCommaOption);

// The warning for a data file read without quoted fields whose line `line` looks as if it had
// some (see RecordLine::looksQuoted); `quotesOption` is how the user asks for quoted fields.
QString quotedLookingLineWarning(qint64 line, const QString& quotesOption);

// "1.234 registros lidos": the records read so far.
QString recordsReadText(qint64 records);

} // namespace urdiva
