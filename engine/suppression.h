#pragma once

#include <QString>

namespace urdiva {

// Characters to strip from the two end fields of every record, and where.
struct SuppressionRule {
    QString characters; // none, one or two code units
    bool atStart = false;
    bool atEnd = false;
    bool everywhere = false;
};

// Applies the rule to one marked field (see field_marker.h) and returns the marked result.
QString SuprimirCaractere(const SuppressionRule& rule, const QString& palavra);

} // namespace urdiva
