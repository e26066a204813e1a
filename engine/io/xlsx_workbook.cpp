// SPDX-License-Identifier: MIT
#include "engine/io/xlsx_workbook.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"
#include "engine/io/cell_text.h"
#include "engine/io/xml_attribute.h"

#include <QHash>
#include <QXmlStreamReader>

#include <cmath>

namespace urdiva {
namespace {

// The text of the <t> elements inside the current element (a shared string, an inline string,
// rich-text runs alike), without phonetic runs; the reader ends on the element's end.
QString textInside(QXmlStreamReader& xml)
{
    QString text;
    int phonetic = 0;
    const QStringView end = xml.name();
    const QString endName = end.toString();
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0)
                text += xml.readElementText();
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == u"rPh")
                --phonetic;
            else if (xml.name() == endName)
                break;
        }
    }
    return withoutEscapes(std::move(text));
}

// The column (from 0) of a cell reference such as "AB12"; -1 when it has none.
int columnOf(QStringView reference)
{
    int column = 0;
    qsizetype k = 0;
    for (; k < reference.size() && reference[k].isLetter(); ++k)
        column = column * 26 + (reference[k].toUpper().unicode() - u'A' + 1);
    return k == 0 ? -1 : column - 1;
}

// The rows of one sheet's XML: <row r="N"><c r="B5" s="3" t="s"><v>…</v></c>…</row>.
class XlsxRows final : public SheetRows {
public:
    XlsxRows(std::unique_ptr<QIODevice> device, std::shared_ptr<const XlsxWorkbook::Shared> shared,
             const QString& path)
        : m_device(std::move(device))
        , m_xml(m_device.get())
        , m_shared(std::move(shared))
        , m_path(path)
    {
    }

    bool next(qint64& number, std::vector<QString>& cells) override
    {
        while (!m_xml.atEnd()) {
            if (m_xml.readNext() == QXmlStreamReader::StartElement && m_xml.name() == u"row") {
                const QStringView r = attribute(m_xml.attributes(), u"r");
                number = r.isEmpty() ? m_lastRow + 1 : r.toLongLong();
                if (number <= m_lastRow)
                    number = m_lastRow + 1;
                m_lastRow = number;
                readRow(cells);
                return true;
            }
        }
        if (m_xml.hasError())
            throw RunError(messages::workbookDamaged(), m_path);
        return false;
    }

private:
    void readRow(std::vector<QString>& cells)
    {
        cells.clear();
        int column = -1;
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::EndElement && m_xml.name() == u"row")
                return;
            if (token != QXmlStreamReader::StartElement || m_xml.name() != u"c")
                continue;
            const QXmlStreamAttributes attributes = m_xml.attributes();
            const int at = columnOf(attribute(attributes, u"r"));
            column = at >= 0 ? at : column + 1;
            const QString type = attribute(attributes, u"t").toString();
            const int style = attribute(attributes, u"s").toInt();
            QString text = readCell(type, style);
            if (text.isEmpty())
                continue;
            if (size_t(column) >= cells.size())
                cells.resize(size_t(column) + 1);
            cells[size_t(column)] = std::move(text);
        }
    }

    // The cell's text; the reader ends on the cell's end.
    QString readCell(const QString& type, int style)
    {
        if (type == u"inlineStr") {
            QString text;
            while (!m_xml.atEnd()) {
                const QXmlStreamReader::TokenType token = m_xml.readNext();
                if (token == QXmlStreamReader::StartElement && m_xml.name() == u"is")
                    text = textInside(m_xml);
                else if (token == QXmlStreamReader::EndElement && m_xml.name() == u"c")
                    break;
            }
            return text;
        }
        QString value;
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::StartElement && m_xml.name() == u"v")
                value = m_xml.readElementText();
            else if (token == QXmlStreamReader::StartElement)
                m_xml.skipCurrentElement(); // a formula: its stored result is the value
            else if (token == QXmlStreamReader::EndElement && m_xml.name() == u"c")
                break;
        }
        if (value.isEmpty())
            return value;
        if (type == u"s") {
            const qsizetype index = value.toLongLong();
            const std::vector<QString>& strings = m_shared->strings;
            return index >= 0 && size_t(index) < strings.size() ? strings[size_t(index)]
                                                                : QString();
        }
        if (type == u"str")
            return withoutEscapes(value);
        if (type == u"b")
            return value == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        if (type == u"e") {
            ++m_errorCells;
            return QString();
        }
        if (type == u"d")
            return isoDateText(value);
        const std::vector<bool>& dates = m_shared->dateStyles;
        if (style > 0 && size_t(style) < dates.size() && dates[size_t(style)]) {
            bool number = false;
            const double serial = value.toDouble(&number);
            if (number && serial >= 0)
                return serialDateText(serial, m_shared->from1904);
        }
        return numberText(value);
    }

    std::unique_ptr<QIODevice> m_device;
    QXmlStreamReader m_xml;
    std::shared_ptr<const XlsxWorkbook::Shared> m_shared;
    QString m_path;
    qint64 m_lastRow = 0;
};

// Number formats 14 to 22 and 45 to 47 are Excel's built-in dates and times.
bool isBuiltInDate(int format)
{
    return (format >= 14 && format <= 22) || (format >= 45 && format <= 47);
}

} // namespace

XlsxWorkbook::XlsxWorkbook(std::unique_ptr<ZipArchive> archive)
    : m_archive(std::move(archive))
{
    readSheets();
    readStyles();
    readSharedStrings();
}

void XlsxWorkbook::readSheets()
{
    // The relationships name each sheet's part, relative to xl/ unless they start with "/".
    QHash<QString, QString> targets;
    QXmlStreamReader rels(m_archive->read(QStringLiteral("xl/_rels/workbook.xml.rels")));
    while (!rels.atEnd()) {
        if (rels.readNext() == QXmlStreamReader::StartElement && rels.name() == u"Relationship") {
            const QString target = attribute(rels.attributes(), u"Target").toString();
            targets.insert(attribute(rels.attributes(), u"Id").toString(),
                           target.startsWith(u'/') ? target.mid(1)
                                                   : QStringLiteral("xl/") + target);
        }
    }
    QXmlStreamReader workbook(m_archive->read(QStringLiteral("xl/workbook.xml")));
    while (!workbook.atEnd()) {
        if (workbook.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = workbook.attributes();
        if (workbook.name() == u"workbookPr") {
            const QStringView date1904 = attribute(attributes, u"date1904");
            m_shared->from1904 = date1904 == u"1" || date1904 == u"true";
        } else if (workbook.name() == u"sheet") {
            QString id;
            for (const QXmlStreamAttribute& attribute : attributes) {
                if (attribute.name() == u"id") // r:id, whatever the prefix
                    id = attribute.value().toString();
            }
            m_names << attribute(attributes, u"name").toString();
            m_entries << targets.value(id);
        }
    }
    if (rels.hasError() || workbook.hasError() || m_names.isEmpty())
        throw RunError(messages::workbookDamaged(), m_archive->path());
}

void XlsxWorkbook::readStyles()
{
    const QString part = QStringLiteral("xl/styles.xml");
    if (!m_archive->contains(part))
        return;
    QXmlStreamReader xml(m_archive->read(part));
    QHash<int, bool> customDates;
    bool inCellFormats = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement && xml.name() == u"numFmt") {
            customDates.insert(attribute(xml.attributes(), u"numFmtId").toInt(),
                               isDateFormat(attribute(xml.attributes(), u"formatCode")));
        } else if (token == QXmlStreamReader::StartElement && xml.name() == u"cellXfs") {
            inCellFormats = true;
        } else if (token == QXmlStreamReader::EndElement && xml.name() == u"cellXfs") {
            inCellFormats = false;
        } else if (inCellFormats && token == QXmlStreamReader::StartElement &&
                   xml.name() == u"xf") {
            const int format = attribute(xml.attributes(), u"numFmtId").toInt();
            m_shared->dateStyles.push_back(customDates.contains(format) ? customDates.value(format)
                                                                        : isBuiltInDate(format));
        }
    }
}

void XlsxWorkbook::readSharedStrings()
{
    const QString part = QStringLiteral("xl/sharedStrings.xml");
    if (!m_archive->contains(part))
        return;
    const std::unique_ptr<QIODevice> device = m_archive->open(part);
    QXmlStreamReader xml(device.get());
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            m_shared->strings.push_back(textInside(xml));
    }
    if (xml.hasError())
        throw RunError(messages::workbookDamaged(), m_archive->path());
}

std::unique_ptr<SheetRows> XlsxWorkbook::rows(int index)
{
    return std::make_unique<XlsxRows>(m_archive->open(m_entries.at(index)), m_shared,
                                      m_archive->path());
}

} // namespace urdiva
