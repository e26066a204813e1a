// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/io/atomic_file.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <exception>
#include <functional>
#include <memory>
#include <optional>

namespace urdiva {

// The Pajek network text, kept as the file's UTF-8 with every line followed by CR LF (on every
// platform, since the Pajek program that reads these files runs on Windows): compact enough for a
// million edge lines, and written as it is.
class NetworkText {
public:
    void appendLine(QStringView line);
    void appendUtf8Line(QByteArrayView line);
    void append(const NetworkText& other);
    // One line per vertex: its number, a space and the name (markers removed) in quotation marks,
    // numbered from firstNumber on. Labels have no escape: a quotation mark in a name is written
    // as an apostrophe, and a line break (of a quoted field) as a space, so that every reader
    // takes the label whole. Returns the number of names so changed.
    qsizetype appendVertexLines(const QStringList& names, qsizetype firstNumber);
    // "a b".
    void appendEdgeLine(int a, int b);
    // "a b weight", the weight in UTF-8.
    void appendEdgeLine(int a, int b, QByteArrayView weight);
    void reserve(qsizetype bytes);
    // Forgets the lines, keeping the room they took.
    void clear() { m_used = 0; }
    // From now on, once the lines fill at least half of `pieceBytes` and the next would not fit,
    // they are handed to `writeOut` (which empties the text) instead of the text growing: a
    // large network never has much more than a piece in memory, and the same room is used again
    // (fresh memory costs a page fault, and the kernel's zeroing, on first touch). `writeOut` may
    // be called on whichever thread appends to the text, and must not throw.
    void writeOutEvery(qsizetype pieceBytes, std::function<void(NetworkText&)> writeOut);

    // The lines in UTF-8, each followed by CR LF; the file holds them after a byte-order mark.
    QByteArrayView utf8() const { return QByteArrayView(m_utf8.constData(), m_used); }

private:
    // Room for `size` more bytes, written through the pointer it returns; endLine() takes the
    // end of what was written and closes the line.
    char* beginLine(size_t size);
    void endLine(char* end);

    QByteArray m_utf8;
    qsizetype m_used = 0;
    qsizetype m_pieceBytes = 0;
    std::function<void(NetworkText&)> m_writeOut;
};

// "*Vertices N1+N2", followed in two-mode by a space and N1.
QString vertexCountLine(qsizetype firstModeCount, qsizetype secondModeCount, NetworkMode mode);
// How many of the names end in a backslash: a Pajek label has no escape, and a reader that splits
// lines as a shell does (networkx) takes \" for a quotation mark inside the label.
qsizetype namesEndingInBackslash(const QStringList& names);
// How many of the names hold a NUL character, which Pajek labels and CSV fields carry as U+FFFD:
// network readers take a NUL for the end of their text.
qsizetype namesWithNul(const QStringList& names);
// The text with every NUL replaced by U+FFFD.
QString withoutNul(QString text);
// "*Arcs" for a directed network, "*Edges" otherwise.
QString linkKindLine(bool directed);

// The network file: the UTF-8 byte-order mark (unless left out), then the text, written as it is
// made and put in place whole with the run's other files; or the same bytes on standard output.
// A failure to create or write the file is held, and raised by finish(): a run reports it at
// the end, whenever it happened.
class NetworkFile {
public:
    NetworkFile(OutputFiles& files, const QString& finalPath, Replace replace,
                bool byteOrderMark = true);
    // On standard output.
    explicit NetworkFile(bool byteOrderMark);
    // Writes the text made so far and empties it.
    void write(NetworkText& text);
    // Raises any failure so far; the file is then ready to be put in place with the others.
    void finish();

private:
    void attempt(const std::function<void()>& step);
    void writeBytes(QByteArrayView bytes);

    AtomicFile* m_file = nullptr; // owned by the run's OutputFiles
    std::unique_ptr<QFile> m_standardOutput;
    std::exception_ptr m_failure;
};

} // namespace urdiva
