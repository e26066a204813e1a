// SPDX-License-Identifier: MIT
#include "engine/names/rename_table.h"

#include "engine/io/csv_text.h"
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
        const std::optional<QStringList> fields = csvFields(line);
        if (!fields || fields->size() != 2 || fields->at(0).isEmpty() || fields->at(1).isEmpty())
            throw RunError(messages::renameTableLine(), context);
        const auto [slot, isNew] =
            table.m_names.try_emplace(fields->at(0).toCaseFolded(), fields->at(1));
        if (!isNew && slot->second != fields->at(1))
            throw RunError(messages::renameTableTwice(fields->at(0)), context);
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
