// SPDX-License-Identifier: MIT
#pragma once

#include "engine/io/workbook.h"
#include "engine/io/zip_archive.h"

#include <memory>
#include <vector>

namespace urdiva {

// An Office Open XML workbook (.xlsx, as Excel, LibreOffice, openpyxl and XlsxWriter write it):
// the sheets of xl/workbook.xml, found through its relationships; the shared strings, held;
// the date formats of the cell styles; each sheet's XML read as a stream.
class XlsxWorkbook final : public Workbook {
public:
    explicit XlsxWorkbook(std::unique_ptr<ZipArchive> archive);

    QStringList sheetNames() const override { return m_names; }
    const QString& path() const override { return m_archive->path(); }
    std::unique_ptr<SheetRows> rows(int index) override;

    struct Shared {
        std::vector<QString> strings;
        std::vector<bool> dateStyles; // by cell style index
        bool from1904 = false;
    };

private:
    void readSheets();
    void readStyles();
    void readSharedStrings();

    std::unique_ptr<ZipArchive> m_archive;
    QStringList m_names;
    QStringList m_entries; // each sheet's XML in the archive
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();
};

} // namespace urdiva
