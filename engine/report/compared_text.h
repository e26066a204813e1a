// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace urdiva {

// The text the report measures for a name: with foldAccents its diacritics removed (canonical
// decomposition, combining marks dropped: "Luís Sá" gives "Luis Sa"); with tokenSort its
// punctuation dropped and its words sorted, regardless of letter case, and joined by one space
// ("Silva, J." and "J. Silva" both give "J Silva").
QString comparedText(const QString& name, bool foldAccents, bool tokenSort);

} // namespace urdiva
