// SPDX-License-Identifier: MIT
#pragma once

#include "engine/io/workbook.h"
#include "engine/io/zip_archive.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace urdiva {

class XmlHandler;

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
        // The shared strings one after another, each from its offset to the next one's: a sheet
        // looks them up at random, and one block keeps them close.
        std::string stringBytes;
        std::vector<size_t> stringEnds;
        std::string_view string(size_t index) const;
        std::vector<bool> dateStyles; // by cell style index
        bool from1904 = false;
    };

private:
    void readSheets();
    void readStyles();
    void readSharedStrings();
    // A small part of the workbook read whole; nothing when it is not there and may be missing.
    void readPart(const QString& entry, XmlHandler& handler, bool required);

    std::unique_ptr<ZipArchive> m_archive;
    QStringList m_names;
    QStringList m_entries; // each sheet's XML in the archive
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();
};

} // namespace urdiva
