// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <vector>

namespace urdiva {

// A vertex attribute as the network files carry it: a whole number, a number or a text.
struct VertexAttribute {
    enum class Type { Integer, Number, Text };
    QString name; // the column's name in the header line, or "coluna N"
    Type type = Type::Text;
    // By vertex number (from 1; index 0 is unused); an empty value: the vertex has none.
    std::vector<QString> values;
};

} // namespace urdiva
