// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/core/problem.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace urdiva::cli {

// A column as given on the command line: a 1-based number, or a name from the first line.
struct ColumnChoice {
    QString text;
    QString option; // for messages, e.g. "--first"
};

struct CliRequest {
    ConversionSettings settings;
    ColumnChoice first;
    ColumnChoice second;
    std::optional<ColumnChoice> value;
    std::vector<ColumnChoice> attributes;
    std::vector<ColumnChoice> secondAttributes;
    std::optional<ColumnChoice> time;
    bool force = false;
    bool quiet = false;

    // Whether a column is given by name, to be found in the file's first line.
    bool needsColumnNames() const;
};

struct ParsedCommandLine {
    enum class Kind { Run, Help, Version, UsageError };
    Kind kind = Kind::UsageError;
    CliRequest request;
    QString text; // help, version or the usage error
};

ParsedCommandLine parseCommandLine(const QStringList& arguments);

// Sets `index` to the 0-based index of a column choice; `names` are the file's column names,
// read only when the choice is not a number. A problem when the choice names no column.
std::optional<Problem> resolveColumn(const ColumnChoice& choice, const QStringList& names,
                                     qint32& index);

QString usageText();

} // namespace urdiva::cli
