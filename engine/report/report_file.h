// SPDX-License-Identifier: MIT
#pragma once

#include "engine/io/atomic_file.h"

#include <QByteArray>
#include <QString>

namespace urdiva {

// A report document, written as it is produced into a file of the run's OutputFiles, which puts
// it in place whole with the others: no truncated report is ever left behind. Raises the
// writer's errors (see AtomicFile).
class ReportFile {
public:
    // An RTF document.
    explicit ReportFile(AtomicFile& file);
    // A document of other text, which finish() ends with `end`.
    ReportFile(AtomicFile& file, const QByteArray& start, const QByteArray& end);

    // A paragraph of plain text, in RTF.
    void paragraph(const QString& text);
    // Text of the document's own kind (RTF already escaped, paragraph ends included).
    void raw(const QByteArray& text);
    void finish();

private:
    void flushIfLarge();

    AtomicFile& m_file;
    QByteArray m_buffer;
    QByteArray m_end;
};

} // namespace urdiva
