// SPDX-License-Identifier: MIT
#include "engine/io/workbook.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"
#include "engine/io/ods_workbook.h"
#include "engine/io/xlsx_workbook.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace urdiva {
namespace {

// A sheet's rows as delimited text. The sheet is read twice: once for its width, so that every
// row has as many fields as the widest (an empty last cell is an empty field, as a spreadsheet's
// own CSV export has it), then for the text.
class SheetText final : public ByteSource {
public:
    SheetText(std::unique_ptr<Workbook> workbook, int sheet)
        : m_workbook(std::move(workbook))
        , m_sheet(sheet)
    {
        {
            // A workbook has one sheet open at a time: this reading ends before the next.
            const std::unique_ptr<SheetRows> rows = m_workbook->rows(sheet);
            qint64 number = 0;
            std::vector<QString> cells;
            while (rows->next(number, cells))
                m_width = std::max(m_width, cells.size());
        }
        m_rows = m_workbook->rows(sheet);
    }

    qint64 errorCells() const override { return m_rows->errorCells(); }

    size_t read(char* to, size_t room) override
    {
        while (m_pending.size() - m_taken < room && !m_done)
            addRow();
        const size_t size = std::min(room, size_t(m_pending.size()) - m_taken);
        std::memcpy(to, m_pending.constData() + m_taken, size);
        m_taken += size;
        if (m_taken == size_t(m_pending.size())) {
            m_pending.clear();
            m_taken = 0;
        }
        return size;
    }

private:
    void addRow()
    {
        if (m_taken > 0) {
            m_pending.remove(0, qsizetype(m_taken));
            m_taken = 0;
        }
        qint64 number = 0;
        if (!m_rows->next(number, m_cells)) {
            m_done = true;
            return;
        }
        // The rows that hold nothing, before this one.
        for (; m_row + 1 < number; ++m_row) {
            m_pending.append(QByteArray(qsizetype(m_width > 0 ? m_width - 1 : 0), char(0x1F)));
            m_pending.append('\n');
        }
        m_row = number;
        m_cells.resize(std::max(m_width, m_cells.size()));
        for (size_t k = 0; k < m_cells.size(); ++k) {
            if (k > 0)
                m_pending.append(char(0x1F));
            appendField(m_cells[k]);
        }
        m_pending.append('\n');
    }

    void appendField(const QString& text)
    {
        const bool quoted = std::any_of(text.begin(), text.end(), [](QChar c) {
            return c == u'"' || c == kSheetSeparator || c == u'\n' || c == u'\r';
        });
        if (!quoted) {
            m_pending.append(text.toUtf8());
            return;
        }
        m_pending.append('"');
        m_pending.append(QString(text).replace(u'"', QStringLiteral("\"\"")).toUtf8());
        m_pending.append('"');
    }

    std::unique_ptr<Workbook> m_workbook;
    int m_sheet;
    std::unique_ptr<SheetRows> m_rows;
    size_t m_width = 0;
    qint64 m_row = 0;
    std::vector<QString> m_cells;
    QByteArray m_pending;
    size_t m_taken = 0;
    bool m_done = false;
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
