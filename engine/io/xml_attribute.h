// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>
#include <QXmlStreamAttributes>

namespace urdiva {

// An attribute's value by its local name, whatever the prefix of its namespace (workbooks' XML
// writers choose their own prefixes); empty when the element has none.
inline QStringView attribute(const QXmlStreamAttributes& attributes, QStringView name)
{
    for (const QXmlStreamAttribute& a : attributes) {
        if (a.name() == name)
            return a.value();
    }
    return {};
}

} // namespace urdiva
