// SPDX-License-Identifier: MIT
#include "engine/io/ods_workbook.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"
#include "engine/io/cell_text.h"
#include "engine/io/xml_stream.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace urdiva {
namespace {

const QString kContent = QStringLiteral("content.xml");

// A repeat count: at least 1.
qint64 repeats(std::string_view text)
{
    qint64 value = 1;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return std::max<qint64>(1, value);
}

// The names of the spreadsheet's tables (a table inside a cell is no sheet).
class TableNames final : public XmlHandler {
public:
    explicit TableNames(QStringList& names)
        : m_names(names)
    {
    }
    void startElement(std::string_view name, const XmlAttributes& attributes) override
    {
        if (name == "table" && m_depth++ == 0) {
            const std::string_view table = attributes.value("name");
            m_names << QString::fromUtf8(table.data(), qsizetype(table.size()));
        }
    }
    void endElement(std::string_view name) override
    {
        if (name == "table")
            --m_depth;
    }

private:
    QStringList& m_names;
    int m_depth = 0;
};

// The rows of one table: <table:table-row table:number-rows-repeated="N"> of
// <table:table-cell table:number-columns-repeated="N" office:value-type="…">, each cell's text
// its paragraphs, one line each, with spaces, tabs and line breaks as their elements say.
class OdsRows final : public SheetRows, XmlHandler {
public:
    OdsRows(std::unique_ptr<QIODevice> device, int table, const QString& path)
        : m_device(std::move(device))
        , m_xml(*m_device, *this, path)
        , m_table(table)
        , m_path(path)
    {
    }

    bool next(qint64& number, std::vector<std::string>& cells) override
    {
        // A row repeated holds the same cells each time: only rows with text are handed out.
        if (m_repeats > 0) {
            --m_repeats;
            number = ++m_row;
            cells = m_cells;
            return true;
        }
        m_rowEnded = false;
        while (!m_rowEnded && !m_tableEnded && m_xml.read()) { }
        if (!m_rowEnded) {
            if (!m_tableEnded)
                throw RunError(messages::workbookDamaged(), m_path); // no such table
            return false;
        }
        number = m_row;
        cells = m_cells;
        return true;
    }

private:
    void startElement(std::string_view name, const XmlAttributes& attributes) override
    {
        if (name == "table") {
            if (m_depth++ == 0 && ++m_seen == m_table)
                m_inTable = true;
            return;
        }
        if (!m_inTable || m_depth != 1)
            return;
        if (name == "table-row") {
            m_rowRepeats = repeats(attributes.value("number-rows-repeated"));
            m_cells.clear();
            m_column = 0;
        } else if (name == "table-cell" || name == "covered-table-cell") {
            startCell(name == "covered-table-cell", attributes);
        } else if (!m_inCell) {
        } else if (name == "annotation") {
            ++m_annotation;
        } else if (m_annotation > 0) {
        } else if (name == "p" || name == "h") {
            if (m_paragraphs++ > 0)
                m_text += '\n';
        } else if (name == "s") {
            m_text.append(size_t(repeats(attributes.value("c"))), ' ');
        } else if (name == "tab") {
            m_text += '\t';
        } else if (name == "line-break") {
            m_text += '\n';
        }
    }

    void endElement(std::string_view name) override
    {
        if (name == "table") {
            if (--m_depth == 0 && m_inTable) {
                m_inTable = false;
                m_tableEnded = true;
                m_xml.pause();
            }
            return;
        }
        if (!m_inTable || m_depth != 1)
            return;
        if (name == "annotation") {
            --m_annotation;
        } else if (name == "table-cell" || name == "covered-table-cell") {
            endCell();
        } else if (name == "table-row") {
            if (m_cells.empty()) {
                m_row += m_rowRepeats;
                return;
            }
            ++m_row;
            m_repeats = m_rowRepeats - 1;
            m_rowEnded = true;
            m_xml.pause();
        }
    }

    void characters(std::string_view text) override
    {
        if (m_inCell && m_depth == 1 && m_annotation == 0 && m_paragraphs > 0)
            m_text += text;
    }

    void startCell(bool covered, const XmlAttributes& attributes)
    {
        m_inCell = true;
        m_covered = covered;
        m_columnRepeats = size_t(repeats(attributes.value("number-columns-repeated")));
        m_text.clear();
        m_paragraphs = 0;
        m_annotation = 0;
        const std::string_view type = attributes.value("value-type");
        if (type == "float" || type == "percentage" || type == "currency")
            m_value = numberText(attributes.value("value"));
        else if (type == "date")
            m_value = isoDateText(attributes.value("date-value"));
        else if (type == "boolean")
            m_value = attributes.value("boolean-value") == "true" ? "TRUE" : "FALSE";
        else
            m_value.reset();
        // A formula without a value type is one that ended in an error (Err:502, #N/A).
        m_failedFormula = type.empty() && attributes.has("formula");
    }

    void endCell()
    {
        m_inCell = false;
        std::string text = m_value ? std::move(*m_value) : std::move(m_text);
        if (m_failedFormula && !text.empty()) {
            ++m_errorCells;
            text.clear();
        }
        // A merged cell's value is in its first cell only; the cells it covers are empty.
        if (!text.empty() && !m_covered) {
            m_cells.resize(m_column + m_columnRepeats);
            std::fill(m_cells.begin() + qsizetype(m_column), m_cells.end(), text);
        }
        m_column += m_columnRepeats;
    }

    std::unique_ptr<QIODevice> m_device;
    XmlStream m_xml;
    int m_table;
    QString m_path;
    int m_depth = 0;
    int m_seen = -1;
    bool m_inTable = false;
    bool m_tableEnded = false;
    bool m_rowEnded = false;
    qint64 m_row = 0;
    qint64 m_rowRepeats = 1;
    qint64 m_repeats = 0;
    std::vector<std::string> m_cells;
    size_t m_column = 0;
    bool m_inCell = false;
    bool m_covered = false;
    size_t m_columnRepeats = 1;
    int m_paragraphs = 0;
    int m_annotation = 0;
    bool m_failedFormula = false;
    std::string m_text;
    std::optional<std::string> m_value;
};

} // namespace

OdsWorkbook::OdsWorkbook(std::unique_ptr<ZipArchive> archive)
    : m_archive(std::move(archive))
{
    const std::unique_ptr<QIODevice> device = m_archive->open(kContent);
    TableNames names(m_names);
    XmlStream(*device, names, m_archive->path()).readAll();
    if (m_names.isEmpty())
        throw RunError(messages::workbookDamaged(), m_archive->path());
}

std::unique_ptr<SheetRows> OdsWorkbook::rows(int index)
{
    return std::make_unique<OdsRows>(m_archive->open(kContent), index, m_archive->path());
}

} // namespace urdiva
