#pragma once

#include "conversion_settings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace urdiva {

// The Pajek network text, kept as one string with every line followed by LF so that a pane can
// take it in one operation and a million edge lines cost one allocation, not a million.
class NetworkText {
public:
    void appendLine(QStringView line);
    void append(const NetworkText& other);
    // One line per vertex: its number, a space and the name (markers removed) in quotation marks,
    // numbered from firstNumber on.
    void appendVertexLines(const QStringList& names, qsizetype firstNumber);
    // "a b", or "a b weight"; markers in the weight are dropped.
    void appendEdgeLine(int a, int b);
    void appendEdgeLine(int a, int b, QStringView weight);
    void reserve(qsizetype size) { m_text.reserve(size); }

    qsizetype lineCount() const { return m_lines; }
    // Every line followed by LF.
    const QString& text() const { return m_text; }
    // The lines joined by LF, without a break after the last one.
    QString plainText() const;
    QStringList lines() const;
    // What the .net file holds: the UTF-8 byte-order mark, then every line in UTF-8 followed by
    // CR LF, on every platform, since the files are read by a Windows program.
    QByteArray fileBytes() const;

private:
    // Room for at most `size` more code units, written through the pointer it returns;
    // finishLine() then trims the text to what was written.
    char16_t* beginLine(qsizetype size);
    void finishLine(const char16_t* end);
    static char16_t* writeNumber(char16_t* out, qint64 value);

    QString m_text;
    qsizetype m_lines = 0;
};

// "*Vertices N1+N2", followed in two-mode by a space and N1.
QString vertexCountLine(qsizetype firstModeCount, qsizetype secondModeCount, NetworkMode mode);
// "*Arcs" for a directed network, "*Edges" otherwise.
QString linkKindLine(bool directed);

} // namespace urdiva
