// SPDX-License-Identifier: MIT
#pragma once

#include "engine/network/network_writer.h"

#include <QByteArray>
#include <QStringView>

namespace urdiva {

// The name without markers as XML text, fit for an attribute value too: the five special
// characters and the white space an attribute would turn into spaces as character references,
// and characters XML cannot hold (controls, lone surrogates, U+FFFE, U+FFFF) as U+FFFD, which
// `changed` counts once per name.
QByteArray xmlText(QStringView name, qsizetype& changed);

// A number's decimal digits appended to `line`.
void appendNumber(QByteArray& line, qint64 value);

// What the GraphML and GEXF writers share: the text, the links' kind, the weights' kind, and one
// line kept from edge to edge, so that a million edges make no allocations.
class XmlNetworkWriter : public NetworkWriter {
public:
    XmlNetworkWriter(OutputBuffer& text, bool directed, WeightKind weights)
        : m_text(text)
        , m_directed(directed)
        , m_weights(weights)
    {
    }

protected:
    QByteArray edgeKind() const { return m_directed ? "directed" : "undirected"; }
    // A weight as the line's text: numbers as they are, other texts escaped.
    void appendWeight(QByteArrayView weight);

    OutputBuffer& m_text;
    bool m_directed;
    WeightKind m_weights;
    QByteArray m_line;
};

} // namespace urdiva
