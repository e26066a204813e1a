// SPDX-License-Identifier: MIT
#pragma once

#include "engine/io/atomic_file.h"
#include "engine/network/output_buffer.h"

#include <QFile>
#include <QString>

#include <exception>
#include <functional>
#include <memory>

namespace urdiva {

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
    // Writes the text made so far and empties the buffer.
    void write(OutputBuffer& text);
    void write(QByteArrayView bytes);
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
