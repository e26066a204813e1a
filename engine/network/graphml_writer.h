// SPDX-License-Identifier: MIT
#pragma once

#include "engine/network/xml_text.h"

namespace urdiva {

// GraphML: a `label` per node (and a `mode`, 1 or 2, in two-mode, and the vertex attributes,
// keys `a1`, `a2`… named by their names) and a `weight` per edge, declared `double` when every
// weight is a number and `string` otherwise; with times, a `time` per edge named by the time
// column, `int` for years and `string` for ISO dates.
class GraphmlWriter final : public XmlNetworkWriter {
public:
    using XmlNetworkWriter::XmlNetworkWriter;

    qsizetype writeVertices(const QStringList& firstMode, const QStringList& secondMode,
                            NetworkMode mode) override;
    void writeEdge(int a, int b, QByteArrayView weight = {}, qint32 time = kNoTime) override;
    void finish() override;
};

} // namespace urdiva
