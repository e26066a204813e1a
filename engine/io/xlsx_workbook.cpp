// SPDX-License-Identifier: MIT
#include "engine/io/xlsx_workbook.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"
#include "engine/io/cell_text.h"
#include "engine/io/xml_stream.h"

#include <QHash>

#include <charconv>

namespace urdiva {
namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A whole number; `otherwise` when the text is not one.
qint64 wholeNumber(std::string_view text, qint64 otherwise = 0)
{
    qint64 value = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && stop == text.data() + text.size() ? value : otherwise;
}

// The column (from 0) of a cell reference such as "AB12"; -1 when it has none.
int columnOf(std::string_view reference)
{
    int column = 0;
    size_t k = 0;
    for (; k < reference.size() && k < 4; ++k) {
        const char c = char(reference[k] & ~0x20);
        if (c < 'A' || c > 'Z')
            break;
        column = column * 26 + (c - 'A' + 1);
    }
    return k == 0 ? -1 : column - 1;
}

// The text of the <t> elements inside an element (a shared string, an inline string, rich-text
// runs alike), without phonetic runs.
class RunTexts {
public:
    void start(std::string_view name)
    {
        if (name == "rPh")
            ++m_phonetic;
        else if (name == "t")
            m_inText = m_phonetic == 0;
    }
    void end(std::string_view name)
    {
        if (name == "rPh")
            --m_phonetic;
        else if (name == "t")
            m_inText = false;
    }
    void characters(std::string_view text, std::string& to) const
    {
        if (m_inText)
            to += text;
    }

private:
    int m_phonetic = 0;
    bool m_inText = false;
};

class SharedStrings final : public XmlHandler {
public:
    explicit SharedStrings(XlsxWorkbook::Shared& shared)
        : m_shared(shared)
    {
    }
    void startElement(std::string_view name, const XmlAttributes&) override
    {
        if (name == "si")
            m_text.clear();
        else
            m_runs.start(name);
    }
    void endElement(std::string_view name) override
    {
        if (name == "si") {
            m_shared.stringBytes += withoutEscapes(std::move(m_text));
            m_shared.stringEnds.push_back(m_shared.stringBytes.size());
        } else
            m_runs.end(name);
    }
    void characters(std::string_view text) override { m_runs.characters(text, m_text); }

private:
    XlsxWorkbook::Shared& m_shared;
    RunTexts m_runs;
    std::string m_text;
};

// The rows of one sheet's XML: <row r="N"><c r="B5" s="3" t="s"><v>…</v></c>…</row>.
class XlsxRows final : public SheetRows, XmlHandler {
public:
    XlsxRows(std::unique_ptr<QIODevice> device, std::shared_ptr<const XlsxWorkbook::Shared> shared,
             const QString& path)
        : m_device(std::move(device))
        , m_shared(std::move(shared))
        , m_xml(*m_device, *this, path)
    {
    }

    bool next(qint64& number, std::vector<std::string>& cells) override
    {
        m_cells = &cells;
        m_rowEnded = false;
        while (!m_rowEnded && m_xml.read()) { }
        m_cells = nullptr;
        number = m_number;
        return m_rowEnded;
    }

    size_t statedWidth() const override { return m_statedWidth; }

private:
    enum class Type { Number, Shared, Inline, Formula, Boolean, Error, Date };

    void startElement(std::string_view name, const XmlAttributes& attributes) override
    {
        if (name == "c") {
            const int at = columnOf(attributes.value("r"));
            m_column = at >= 0 ? at : m_column + 1;
            m_type = typeOf(attributes.value("t"));
            m_style = wholeNumber(attributes.value("s"));
            m_value.clear();
        } else if (name == "v") {
            m_inValue = true;
        } else if (name == "row") {
            const qint64 stated = wholeNumber(attributes.value("r"));
            m_number = stated > m_number ? stated : m_number + 1;
            m_column = -1;
            // The cells keep their room for the next row's texts.
            if (m_cells) {
                for (std::string& cell : *m_cells)
                    cell.clear();
            }
        } else if (name == "dimension") {
            // "A1:C300000": the last column of the range.
            const std::string_view range = attributes.value("ref");
            const size_t colon = range.find(':');
            m_statedWidth = size_t(columnOf(range.substr(colon == range.npos ? 0 : colon + 1)) + 1);
        } else if (m_type == Type::Inline) {
            m_runs.start(name);
        }
    }

    void endElement(std::string_view name) override
    {
        if (name == "c") {
            if (!m_value.empty() && m_cells) {
                if (size_t(m_column) >= m_cells->size())
                    m_cells->resize(size_t(m_column) + 1);
                setCellText((*m_cells)[size_t(m_column)]);
            }
            m_type = Type::Number;
        } else if (name == "v") {
            m_inValue = false;
        } else if (name == "row") {
            m_rowEnded = true;
            m_xml.pause();
        } else if (m_type == Type::Inline) {
            m_runs.end(name);
        }
    }

    void characters(std::string_view text) override
    {
        if (m_inValue)
            m_value += text;
        else if (m_type == Type::Inline)
            m_runs.characters(text, m_value);
    }

    static Type typeOf(std::string_view t)
    {
        if (t == "s")
            return Type::Shared;
        if (t == "inlineStr")
            return Type::Inline;
        if (t == "str")
            return Type::Formula;
        if (t == "b")
            return Type::Boolean;
        if (t == "e")
            return Type::Error;
        if (t == "d")
            return Type::Date;
        return Type::Number;
    }

    // The text of the cell just read, into a cell of the row (whose room is used again): a
    // formula's stored result is its value.
    void setCellText(std::string& cell)
    {
        switch (m_type) {
        case Type::Shared:
            cell.assign(m_shared->string(size_t(wholeNumber(m_value, -1))));
            return;
        case Type::Inline:
        case Type::Formula:
            cell = withoutEscapes(std::move(m_value));
            return;
        case Type::Boolean:
            cell = m_value == "1" ? "TRUE" : "FALSE";
            return;
        case Type::Error:
            ++m_errorCells;
            cell.clear();
            return;
        case Type::Date:
            cell = isoDateText(m_value);
            return;
        case Type::Number:
            break;
        }
        const std::vector<bool>& dates = m_shared->dateStyles;
        if (m_style > 0 && size_t(m_style) < dates.size() && dates[size_t(m_style)]) {
            double serial = 0;
            const auto [stop, error] =
                std::from_chars(m_value.data(), m_value.data() + m_value.size(), serial);
            if (error == std::errc() && stop == m_value.data() + m_value.size() && serial >= 0) {
                cell = serialDateText(serial, m_shared->from1904);
                return;
            }
        }
        cell = numberText(m_value);
    }

    std::unique_ptr<QIODevice> m_device;
    std::shared_ptr<const XlsxWorkbook::Shared> m_shared;
    XmlStream m_xml;
    std::vector<std::string>* m_cells = nullptr;
    qint64 m_number = 0;
    bool m_rowEnded = false;
    size_t m_statedWidth = 0;
    int m_column = -1;
    Type m_type = Type::Number;
    qint64 m_style = 0;
    bool m_inValue = false;
    std::string m_value;
    RunTexts m_runs;
};

// Number formats 14 to 22 and 45 to 47 are Excel's built-in dates and times.
bool isBuiltInDate(qint64 format)
{
    return (format >= 14 && format <= 22) || (format >= 45 && format <= 47);
}

// Which cell styles show dates: <numFmts> defines formats beyond the built-in ones, <cellXfs>
// lists the styles that cells name by index.
class CellStyles final : public XmlHandler {
public:
    explicit CellStyles(XlsxWorkbook::Shared& shared)
        : m_shared(shared)
    {
    }
    void startElement(std::string_view name, const XmlAttributes& attributes) override
    {
        if (name == "numFmt") {
            m_customDates.insert(wholeNumber(attributes.value("numFmtId")),
                                 isDateFormat(attributes.value("formatCode")));
        } else if (name == "cellXfs") {
            m_inCellFormats = true;
        } else if (m_inCellFormats && name == "xf") {
            const qint64 format = wholeNumber(attributes.value("numFmtId"));
            m_shared.dateStyles.push_back(m_customDates.contains(format)
                                              ? m_customDates.value(format)
                                              : isBuiltInDate(format));
        }
    }
    void endElement(std::string_view name) override
    {
        if (name == "cellXfs")
            m_inCellFormats = false;
    }

private:
    XlsxWorkbook::Shared& m_shared;
    QHash<qint64, bool> m_customDates;
    bool m_inCellFormats = false;
};

// A handler of the start of elements alone.
template <typename OnStart>
class StartHandler final : public XmlHandler {
public:
    explicit StartHandler(OnStart onStart)
        : m_onStart(std::move(onStart))
    {
    }
    void startElement(std::string_view name, const XmlAttributes& attributes) override
    {
        m_onStart(name, attributes);
    }
    void endElement(std::string_view) override { }

private:
    OnStart m_onStart;
};

} // namespace

XlsxWorkbook::XlsxWorkbook(std::unique_ptr<ZipArchive> archive)
    : m_archive(std::move(archive))
{
    readSheets();
    readStyles();
    readSharedStrings();
}

void XlsxWorkbook::readPart(const QString& entry, XmlHandler& handler, bool required)
{
    if (!required && !m_archive->contains(entry))
        return;
    const std::unique_ptr<QIODevice> device = m_archive->open(entry);
    XmlStream(*device, handler, m_archive->path()).readAll();
}

void XlsxWorkbook::readSheets()
{
    // The relationships name each sheet's part, relative to xl/ unless they start with "/".
    QHash<QString, QString> targets;
    StartHandler relationships([&](std::string_view name, const XmlAttributes& attributes) {
        if (name != "Relationship")
            return;
        const QString target = fromUtf8(attributes.value("Target"));
        targets.insert(fromUtf8(attributes.value("Id")),
                       target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target);
    });
    readPart(QStringLiteral("xl/_rels/workbook.xml.rels"), relationships, true);
    StartHandler workbook([&](std::string_view name, const XmlAttributes& attributes) {
        if (name == "workbookPr") {
            const std::string_view date1904 = attributes.value("date1904");
            m_shared->from1904 = date1904 == "1" || date1904 == "true";
        } else if (name == "sheet") {
            m_names << fromUtf8(attributes.value("name"));
            m_entries << targets.value(fromUtf8(attributes.value("id"))); // r:id
        }
    });
    readPart(QStringLiteral("xl/workbook.xml"), workbook, true);
    if (m_names.isEmpty())
        throw RunError(messages::workbookDamaged(), m_archive->path());
}

void XlsxWorkbook::readStyles()
{
    CellStyles styles(*m_shared);
    readPart(QStringLiteral("xl/styles.xml"), styles, false);
}

void XlsxWorkbook::readSharedStrings()
{
    SharedStrings strings(*m_shared);
    readPart(QStringLiteral("xl/sharedStrings.xml"), strings, false);
}

std::string_view XlsxWorkbook::Shared::string(size_t index) const
{
    if (index >= stringEnds.size())
        return {};
    const size_t begin = index == 0 ? 0 : stringEnds[index - 1];
    return std::string_view(stringBytes).substr(begin, stringEnds[index] - begin);
}

std::unique_ptr<SheetRows> XlsxWorkbook::rows(int index)
{
    return std::make_unique<XlsxRows>(m_archive->open(m_entries.at(index)), m_shared,
                                      m_archive->path());
}

} // namespace urdiva
