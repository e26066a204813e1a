// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/strip_rule.h"

#include <QString>

namespace urdiva {

// Applies the rule to one marked field (see field_marker.h): the value between its markers loses
// the rule's characters at the chosen places. A leading marker stays; a trailing one stays, and
// is added when stripping at the end removed something.
QString stripCharacters(const StripRule& rule, const QString& field);

} // namespace urdiva
