// SPDX-License-Identifier: MIT
#include "engine/names/rename_table.h"

#include "engine/io/field_marker.h"
#include "engine/io/line_reader.h"
#include "engine/run/messages.h"
#include "engine/run/run_error.h"

namespace urdiva {

RenameTable RenameTable::read(const QString& path)
{
    RenameTable table;
    LineReader reader(path);
    QString line;
    QString storage;
    RecordFields fields;
    qint64 number = 0;
    while (reader.readLine(line)) {
        ++number;
        const QString context = recordContext(reader.name(), number);
        if (number == 1) {
            if (line.startsWith(QChar(0xFEFF)))
                line.remove(0, 1);
            if (line != QLatin1StringView(kRenameTableHeader))
                throw RunError(messages::renameTableHeader(), context);
            continue;
        }
        if (line.isEmpty())
            continue;
        // A quotation mark left open would join the line to the next in a CSV file.
        fields.splitQuoted(line, u',', storage);
        if (line.count(u'"') % 2 != 0 || fields.count() != 2 || fields.value(0).isEmpty() ||
            fields.value(1).isEmpty())
            throw RunError(messages::renameTableLine(), context);
        const QString variant = fields.value(0).toString();
        const QString canonical = fields.value(1).toString();
        const auto [slot, isNew] = table.m_names.try_emplace(variant.toCaseFolded(), canonical);
        if (!isNew && slot->second != canonical)
            throw RunError(messages::renameTableTwice(variant), context);
    }
    return table;
}

QString RenameTable::apply(const QString& field) const
{
    // The value stands between the markers the field has.
    const bool leading = field.startsWith(kFieldMarker);
    const bool trailing = field.size() >= 2 && field.endsWith(kFieldMarker);
    const QStringView value = QStringView(field).sliced(leading, field.size() - leading - trailing);
    const auto found = m_names.find(value.toString().toCaseFolded());
    if (found == m_names.end())
        return field;
    return (leading ? QString(kFieldMarker) : QString()) + found->second +
           (trailing ? QString(kFieldMarker) : QString());
}

} // namespace urdiva
