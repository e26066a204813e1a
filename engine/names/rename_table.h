// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/hash_map.h"

#include <QString>

namespace urdiva {

// Names to be read as other names: a CSV file (UTF-8, RFC 4180) whose first line is
// "variant,canonical" and whose other lines hold two fields each, a name and the name it is to
// be read as; or, for the two modes of a network apart, whose first line is
// "variant,canonical,mode" and whose lines add the mode the rename is for, 1 or 2 (a one-mode
// network has the first mode alone). Letter case does not count in finding a name. Applied to
// every end field of its mode after stripping and before matching, so that the variants of a
// name become one vertex.
class RenameTable {
public:
    RenameTable() = default;
    // Reads the table; a line that is not a pair of names (with its mode), or a name given two
    // different canonical names in one mode, stops the run with the file and the line.
    static RenameTable read(const QString& path);

    bool isEmpty() const { return m_names[0].empty() && m_names[1].empty(); }
    // The marked field of a mode (0 or 1) with its value renamed, or unchanged when the table
    // does not name it for that mode.
    QString apply(const QString& field, int mode) const;

private:
    using Names = HashMap<QString, QString, TextHash>; // case-folded -> name
    Names m_names[2];
};

// The lines that head a rename table for every mode, and for each mode apart.
inline constexpr char kRenameTableHeader[] = "variant,canonical";
inline constexpr char kModeRenameTableHeader[] = "variant,canonical,mode";

} // namespace urdiva
