// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/hash_map.h"

#include <QString>

namespace urdiva {

// Names to be read as other names: a CSV file (UTF-8, RFC 4180) whose first line is
// "variant,canonical" and whose other lines hold two fields each, a name and the name it is to
// be read as. Letter case does not count in finding a name. Applied to every end field after
// stripping and before matching, so that the variants of a name become one vertex.
class RenameTable {
public:
    RenameTable() = default;
    // Reads the table; a line that is not a pair of names, or a name given two different
    // canonical names, stops the run with the file and the line.
    static RenameTable read(const QString& path);

    bool isEmpty() const { return m_names.empty(); }
    // The marked field with its value renamed, or unchanged when the table does not name it.
    QString apply(const QString& field) const;

private:
    HashMap<QString, QString, TextHash> m_names; // case-folded -> name
};

// The line that heads a rename table.
inline constexpr char kRenameTableHeader[] = "variant,canonical";

} // namespace urdiva
