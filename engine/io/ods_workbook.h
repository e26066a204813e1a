// SPDX-License-Identifier: MIT
#pragma once

#include "engine/io/workbook.h"
#include "engine/io/zip_archive.h"

#include <memory>

namespace urdiva {

// An OpenDocument spreadsheet (.ods, as LibreOffice and odfpy write it): the tables of
// content.xml, each read as a stream when its rows are asked for.
class OdsWorkbook final : public Workbook {
public:
    explicit OdsWorkbook(std::unique_ptr<ZipArchive> archive);

    QStringList sheetNames() const override { return m_names; }
    const QString& path() const override { return m_archive->path(); }
    std::unique_ptr<SheetRows> rows(int index) override;

private:
    std::unique_ptr<ZipArchive> m_archive;
    QStringList m_names;
};

} // namespace urdiva
