// SPDX-License-Identifier: MIT
#pragma once

#include "engine/io/atomic_file.h"

#include <QByteArray>
#include <QString>

namespace urdiva {

// A report document, written as it is produced and put in place whole: no truncated report is
// ever left behind. A report of the same name is replaced without asking, as a run always has.
// Raises the writer's errors (see AtomicFile).
class ReportFile {
public:
    // An RTF document.
    explicit ReportFile(const QString& path);
    // A document of other text, which commit() ends with `end`.
    ReportFile(const QString& path, const QByteArray& start, const QByteArray& end);

    // A paragraph of plain text, in RTF.
    void paragraph(const QString& text);
    // Text of the document's own kind (RTF already escaped, paragraph ends included).
    void raw(const QByteArray& text);
    void commit();

private:
    void flushIfLarge();

    AtomicFile m_file;
    QByteArray m_buffer;
    QByteArray m_end;
};

} // namespace urdiva
