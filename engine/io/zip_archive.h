// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>

namespace urdiva {

// A zip archive read through minizip, its file opened with Qt (so that a name in any script
// opens on every system). Only reading. A damaged archive, or an entry that cannot be inflated,
// raises a RunError naming the file.
class ZipArchive {
public:
    explicit ZipArchive(const QString& path);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool contains(const QString& entry);
    // The whole entry, for the small parts of a workbook.
    QByteArray read(const QString& entry);
    // The entry as a stream, inflated as it is read: the archive's one open entry until the
    // device goes. For a sheet, whose XML may be hundreds of megabytes.
    std::unique_ptr<QIODevice> open(const QString& entry);

    const QString& path() const { return m_path; }

private:
    class EntryDevice;
    void locate(const QString& entry);
    [[noreturn]] void fail() const;

    QString m_path;
    void* m_zip = nullptr; // minizip's unzFile
};

} // namespace urdiva
