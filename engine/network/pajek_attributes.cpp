// SPDX-License-Identifier: MIT
#include "engine/network/pajek_attributes.h"

#include "engine/io/csv_text.h"
#include "engine/names/name_collation.h"

#include <algorithm>
#include <numeric>

namespace urdiva {
namespace {

void writeCountLine(OutputBuffer& text, const VertexAttribute& attribute)
{
    text.appendLine(QStringLiteral("*Vertices ") +
                    QString::number(qsizetype(attribute.values.size()) - 1));
}

} // namespace

QStringView pajekObjectExtension(const VertexAttribute& attribute)
{
    return attribute.type == VertexAttribute::Type::Text ? u".clu" : u".vec";
}

QString pajekObjectLine(const VertexAttribute& attribute)
{
    return (attribute.type == VertexAttribute::Type::Text ? QStringLiteral("*Partition ")
                                                          : QStringLiteral("*Vector ")) +
           QString(attribute.name).replace(u'\n', u' ');
}

void writePajekObject(OutputBuffer& text, const VertexAttribute& attribute, OutputBuffer& legend,
                      const QLocale& locale)
{
    writeCountLine(text, attribute);
    const std::vector<QString>& values = attribute.values;
    if (attribute.type != VertexAttribute::Type::Text) {
        for (size_t v = 1; v < values.size(); ++v) {
            if (values[v].isEmpty())
                text.appendUtf8Line(kPajekMissingValue);
            else
                text.appendLine(values[v]);
        }
        return;
    }
    // The distinct values in collation order; values the collation ranks equal keep distinct
    // classes, in the order of their code units.
    std::vector<size_t> vertices(values.size() - 1);
    std::iota(vertices.begin(), vertices.end(), size_t(1));
    const NameCollation collation(locale, Qt::CaseSensitive);
    std::stable_sort(vertices.begin(), vertices.end(), [&](size_t x, size_t y) {
        const int order = collation.compare(values[x], values[y]);
        return order != 0 ? order < 0 : values[x] < values[y];
    });
    std::vector<int> classOf(values.size(), 0);
    int classes = 0;
    legend.appendUtf8Line("classe,valor");
    const QString* previous = nullptr;
    for (const size_t v : vertices) {
        if (values[v].isEmpty())
            continue;
        if (!previous || *previous != values[v]) {
            previous = &values[v];
            ++classes;
            legend.appendUtf8Line(QByteArray::number(classes) + ',' +
                                  csvField(toSpreadsheetCell(values[v]).toUtf8()));
        }
        classOf[v] = classes;
    }
    for (size_t v = 1; v < values.size(); ++v)
        text.appendUtf8Line(QByteArray::number(classOf[v]));
}

QStringList attributeFileParts(const std::vector<VertexAttribute>& attributes)
{
    QStringList parts;
    for (const VertexAttribute& attribute : attributes) {
        QString part;
        for (const QChar c : attribute.name)
            part += c.unicode() < 0x20 || QStringView(u"\\/:*?\"<>|").contains(c) ? u'_' : c;
        // Windows drops a name's final dots and spaces.
        while (part.endsWith(u'.') || part.endsWith(u' '))
            part.chop(1);
        if (part.isEmpty())
            part = QStringLiteral("_");
        QString distinct = part;
        for (int n = 2; parts.contains(distinct, Qt::CaseInsensitive); ++n)
            distinct = QStringLiteral("%1 (%2)").arg(part).arg(n);
        parts << distinct;
    }
    return parts;
}

} // namespace urdiva
