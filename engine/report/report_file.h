// SPDX-License-Identifier: MIT
#pragma once

#include "engine/io/atomic_file.h"

#include <QByteArray>
#include <QString>

namespace urdiva {

// The report's RTF document, written as it is produced and put in place whole: no truncated
// report is ever left behind. A report of the same name is replaced without asking, as a run
// always has. Raises the writer's errors (see AtomicFile).
class ReportFile {
public:
    explicit ReportFile(const QString& path);

    // A paragraph of plain text.
    void paragraph(const QString& text);
    // RTF that is already escaped, paragraph ends included.
    void raw(const QByteArray& rtf);
    void commit();

private:
    void flushIfLarge();

    AtomicFile m_file;
    QByteArray m_buffer;
};

} // namespace urdiva
