// SPDX-License-Identifier: MIT
#include "engine/io/ods_workbook.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"
#include "engine/io/cell_text.h"
#include "engine/io/xml_attribute.h"

#include <QXmlStreamReader>

#include <algorithm>

namespace urdiva {
namespace {

const QString kContent = QStringLiteral("content.xml");

// The text of a cell's paragraphs, one line each: spaces, tabs and line breaks as their
// elements say; the reader ends on the cell's end. Annotations are not the cell's text.
QString cellParagraphs(QXmlStreamReader& xml)
{
    QString text;
    int paragraphs = 0;
    int annotation = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        const QStringView name = xml.name();
        if (token == QXmlStreamReader::StartElement) {
            if (name == u"annotation") {
                ++annotation;
            } else if (annotation > 0) {
                continue;
            } else if (name == u"p" || name == u"h") {
                if (paragraphs++ > 0)
                    text += u'\n';
            } else if (name == u"s") {
                const QStringView count = attribute(xml.attributes(), u"c");
                text += QString(count.isEmpty() ? 1 : std::max(1, count.toInt()), u' ');
            } else if (name == u"tab") {
                text += u'\t';
            } else if (name == u"line-break") {
                text += u'\n';
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (name == u"annotation")
                --annotation;
            else if (name == u"table-cell" || name == u"covered-table-cell")
                break;
        } else if (token == QXmlStreamReader::Characters && annotation == 0 && paragraphs > 0) {
            text += xml.text();
        }
    }
    return text;
}

// The rows of one table: <table:table-row table:number-rows-repeated="N"> of
// <table:table-cell table:number-columns-repeated="N" office:value-type="…">.
class OdsRows final : public SheetRows {
public:
    OdsRows(std::unique_ptr<QIODevice> device, int table, const QString& path)
        : m_device(std::move(device))
        , m_xml(m_device.get())
        , m_path(path)
    {
        // To the table's start.
        int seen = -1;
        while (!m_xml.atEnd()) {
            if (m_xml.readNext() == QXmlStreamReader::StartElement && m_xml.name() == u"table" &&
                ++seen == table)
                return;
        }
        fail();
    }

    bool next(qint64& number, std::vector<QString>& cells) override
    {
        // A row repeated holds the same cells each time: only rows with text are handed out.
        if (m_repeats > 0) {
            --m_repeats;
            number = ++m_row;
            cells = m_repeated;
            return true;
        }
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::EndElement && m_xml.name() == u"table")
                return false;
            if (token != QXmlStreamReader::StartElement || m_xml.name() != u"table-row")
                continue;
            const qint64 repeated = std::max<qint64>(
                1, attribute(m_xml.attributes(), u"number-rows-repeated").toLongLong());
            readRow(cells);
            if (cells.empty()) {
                m_row += repeated;
                continue;
            }
            number = ++m_row;
            if (repeated > 1) {
                m_repeats = repeated - 1;
                m_repeated = cells;
            }
            return true;
        }
        if (m_xml.hasError())
            fail();
        return false;
    }

private:
    [[noreturn]] void fail() const { throw RunError(messages::workbookDamaged(), m_path); }

    void readRow(std::vector<QString>& cells)
    {
        cells.clear();
        size_t column = 0;
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::EndElement && m_xml.name() == u"table-row")
                break;
            if (token != QXmlStreamReader::StartElement)
                continue;
            const bool covered = m_xml.name() == u"covered-table-cell";
            if (!covered && m_xml.name() != u"table-cell")
                continue;
            const QXmlStreamAttributes attributes = m_xml.attributes();
            const size_t repeated = size_t(std::max<qint64>(
                1, attribute(attributes, u"number-columns-repeated").toLongLong()));
            const QString text = cellText(attributes);
            // A merged cell's value is in its first cell only; the cells it covers are empty.
            if (!text.isEmpty() && !covered) {
                cells.resize(column + repeated);
                std::fill(cells.begin() + qsizetype(column), cells.end(), text);
            }
            column += repeated;
        }
    }

    QString cellText(const QXmlStreamAttributes& attributes)
    {
        const QStringView type = attribute(attributes, u"value-type");
        const QString paragraphs = cellParagraphs(m_xml);
        if (type == u"float" || type == u"percentage" || type == u"currency")
            return numberText(attribute(attributes, u"value"));
        if (type == u"date")
            return isoDateText(attribute(attributes, u"date-value"));
        if (type == u"boolean") {
            const QStringView value = attribute(attributes, u"boolean-value");
            return value == u"true" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        }
        if (type.isEmpty() && !attribute(attributes, u"formula").isNull() &&
            !paragraphs.isEmpty()) {
            // A formula without a value type is one that ended in an error (Err:502, #N/A).
            ++m_errorCells;
            return QString();
        }
        return paragraphs;
    }

    std::unique_ptr<QIODevice> m_device;
    QXmlStreamReader m_xml;
    QString m_path;
    qint64 m_row = 0;
    qint64 m_repeats = 0;
    std::vector<QString> m_repeated;
};

} // namespace

OdsWorkbook::OdsWorkbook(std::unique_ptr<ZipArchive> archive)
    : m_archive(std::move(archive))
{
    // The table names, from a reading of content.xml that skips the tables' rows.
    const std::unique_ptr<QIODevice> device = m_archive->open(kContent);
    QXmlStreamReader xml(device.get());
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"table") {
            m_names << attribute(xml.attributes(), u"name").toString();
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError() || m_names.isEmpty())
        throw RunError(messages::workbookDamaged(), m_archive->path());
}

std::unique_ptr<SheetRows> OdsWorkbook::rows(int index)
{
    return std::make_unique<OdsRows>(m_archive->open(kContent), index, m_archive->path());
}

} // namespace urdiva
