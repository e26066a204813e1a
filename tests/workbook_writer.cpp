// SPDX-License-Identifier: MIT
#include "workbook_writer.h"

#include <QFile>

#include <stdexcept>
#include <zip.h>

namespace urdiva::test {
namespace {

void addPart(zipFile zip, const char* name, const QByteArray& bytes)
{
    if (zipOpenNewFileInZip(zip, name, nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                            Z_DEFAULT_COMPRESSION) != ZIP_OK ||
        zipWriteInFileInZip(zip, bytes.constData(), unsigned(bytes.size())) != ZIP_OK ||
        zipCloseFileInZip(zip) != ZIP_OK)
        throw std::runtime_error("cannot write the test workbook");
}

QByteArray escaped(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

QByteArray sheetXml(const std::vector<QStringList>& rows)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<worksheet xmlns=\"http://"
                     "schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    for (size_t r = 0; r < rows.size(); ++r) {
        xml += "<row r=\"" + QByteArray::number(qulonglong(r + 1)) + "\">";
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const QString& cell = rows[r][c];
            const QByteArray reference =
                QByteArray(1, char('A' + c)) + QByteArray::number(qulonglong(r + 1));
            bool number = false;
            cell.toDouble(&number);
            if (cell.isEmpty())
                continue;
            if (number)
                xml += "<c r=\"" + reference + "\"><v>" + cell.toUtf8() + "</v></c>";
            else
                xml += "<c r=\"" + reference + "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">" +
                       escaped(cell) + "</t></is></c>";
        }
        xml += "</row>";
    }
    return xml + "</sheetData></worksheet>";
}

} // namespace

void writeXlsx(const QString& path, const std::vector<TestSheet>& sheets)
{
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        throw std::runtime_error("cannot create the test workbook");
    QByteArray types = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Types xmlns=\"http://"
                       "schemas.openxmlformats.org/package/2006/content-types\"><Default "
                       "Extension=\"xml\" ContentType=\"application/xml\"/></Types>";
    QByteArray workbook = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<workbook xmlns=\"http://"
                          "schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"http://"
                          "schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>";
    QByteArray relations = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Relationships xmlns=\""
                           "http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (size_t k = 0; k < sheets.size(); ++k) {
        const QByteArray id = QByteArray::number(qulonglong(k + 1));
        workbook += "<sheet name=\"" + escaped(sheets[k].first) + "\" sheetId=\"" + id +
                    "\" r:id=\"rId" + id + "\"/>";
        relations += "<Relationship Id=\"rId" + id +
                     "\" Type=\"http://schemas.openxmlformats.org/"
                     "officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet" +
                     id + ".xml\"/>";
        addPart(zip, ("xl/worksheets/sheet" + id + ".xml").constData(), sheetXml(sheets[k].second));
    }
    addPart(zip, "[Content_Types].xml", types);
    addPart(zip, "xl/workbook.xml", workbook + "</sheets></workbook>");
    addPart(zip, "xl/_rels/workbook.xml.rels", relations + "</Relationships>");
    zipClose(zip, nullptr);
}

} // namespace urdiva::test
