// SPDX-License-Identifier: MIT
#include "engine/io/workbook.h"

#include "engine/core/messages.h"
#include "engine/core/parallel.h"
#include "engine/core/run_error.h"
#include "engine/io/ods_workbook.h"
#include "engine/io/xlsx_workbook.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

namespace urdiva {
namespace {

// A sheet's rows as delimited text, every row as wide as the widest (an empty last cell is an
// empty field, as a spreadsheet's own CSV export has it). The width is the one the sheet states
// before its rows; a sheet that states none is read twice, once for its width.
class SheetText final : public ByteSource {
public:
    SheetText(std::unique_ptr<Workbook> workbook, int sheet)
        : m_workbook(std::move(workbook))
    {
        m_rows = m_workbook->rows(sheet);
        m_hasRow = m_rows->next(m_number, m_cells);
        m_width = m_rows->statedWidth();
        if (m_width > 0 || !m_hasRow)
            return;
        // A workbook has one sheet open at a time: this reading ends before the next.
        m_width = m_cells.size();
        while (m_rows->next(m_number, m_cells))
            m_width = std::max(m_width, m_cells.size());
        m_rows.reset();
        m_rows = m_workbook->rows(sheet);
        m_hasRow = m_rows->next(m_number, m_cells);
    }

    // Once the text has been read to its end.
    qint64 errorCells() const override { return m_rows->errorCells(); }

    size_t read(char* to, size_t room) override
    {
        if (!m_ahead)
            m_ahead.emplace(kBlocks, [this](size_t k) { return fill(m_blocks[k]); });
        while (!m_block || m_taken == m_block->size()) {
            const std::optional<size_t> next = m_ahead->next();
            if (!next)
                return 0;
            m_block = &m_blocks[*next];
            m_taken = 0;
        }
        const size_t size = std::min(room, m_block->size() - m_taken);
        std::memcpy(to, m_block->data() + m_taken, size);
        m_taken += size;
        return size;
    }

private:
    // The sheet's XML is read on a thread of its own, a block of rows ahead of their reader.
    static constexpr size_t kBlocks = 3;
    static constexpr size_t kBlockBytes = size_t(256) << 10;

    // The next rows as text; whether more come.
    bool fill(std::string& block)
    {
        block.clear();
        while (m_hasRow && block.size() < kBlockBytes)
            addRow(block);
        return m_hasRow;
    }

    // The row read last as text, and the next one read.
    void addRow(std::string& block)
    {
        // The rows that hold nothing, before this one.
        for (; m_row + 1 < m_number; ++m_row) {
            block.append(m_width > 0 ? m_width - 1 : 0, kSeparator);
            block += '\n';
        }
        m_row = m_number;
        m_cells.resize(std::max(m_width, m_cells.size()));
        for (size_t k = 0; k < m_cells.size(); ++k) {
            if (k > 0)
                block += kSeparator;
            appendField(m_cells[k], block);
        }
        block += '\n';
        m_hasRow = m_rows->next(m_number, m_cells);
    }

    static void appendField(const std::string& text, std::string& block)
    {
        const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
            return c == '"' || c == kSeparator || c == '\n' || c == '\r';
        });
        if (plain) {
            block += text;
            return;
        }
        block += '"';
        for (const char c : text) {
            if (c == '"')
                block += '"';
            block += c;
        }
        block += '"';
    }

    static constexpr char kSeparator = char(kSheetSeparator.unicode());

    std::unique_ptr<Workbook> m_workbook;
    std::unique_ptr<SheetRows> m_rows;
    size_t m_width = 0;
    qint64 m_row = 0;
    qint64 m_number = 0;
    std::vector<std::string> m_cells;
    bool m_hasRow = false;
    std::string m_blocks[kBlocks];
    const std::string* m_block = nullptr; // the block being read
    size_t m_taken = 0;
    // Last: it stops its thread before the rest goes.
    std::optional<ProducedAhead> m_ahead;
};

QString quotedList(const QStringList& names)
{
    QStringList quoted;
    for (const QString& name : names)
        quoted << u'"' + name + u'"';
    return quoted.join(QStringLiteral(", "));
}

} // namespace

bool isWorkbookPath(const QString& path)
{
    return path.endsWith(u".xlsx", Qt::CaseInsensitive) ||
           path.endsWith(u".ods", Qt::CaseInsensitive);
}

std::unique_ptr<Workbook> openWorkbook(const QString& path)
{
    {
        // A workbook protected by a password is a compound document holding an encrypted one,
        // as an old .xls is.
        QFile file(path);
        if (file.open(QIODevice::ReadOnly) && file.peek(4) == QByteArray("\xD0\xCF\x11\xE0", 4))
            throw RunError(messages::workbookProtected(), path);
    }
    auto archive = std::make_unique<ZipArchive>(path);
    if (archive->contains(QStringLiteral("xl/workbook.xml")))
        return std::make_unique<XlsxWorkbook>(std::move(archive));
    if (archive->contains(QStringLiteral("content.xml")))
        return std::make_unique<OdsWorkbook>(std::move(archive));
    throw RunError(messages::workbookDamaged(), path);
}

int sheetIndex(const Workbook& workbook, const QString& choice)
{
    const QStringList names = workbook.sheetNames();
    if (choice.isEmpty())
        return 0;
    if (const qsizetype named = names.indexOf(choice); named >= 0)
        return int(named);
    bool number = false;
    const int place = choice.toInt(&number);
    if (number && place >= 1 && place <= names.size())
        return place - 1;
    throw RunError(messages::noSuchSheet(choice, quotedList(names)), workbook.path());
}

std::unique_ptr<ByteSource> sheetText(const QString& path, const QString& sheet)
{
    std::unique_ptr<Workbook> workbook = openWorkbook(path);
    const int index = sheetIndex(*workbook, sheet);
    return std::make_unique<SheetText>(std::move(workbook), index);
}

} // namespace urdiva
