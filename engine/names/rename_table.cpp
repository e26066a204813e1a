// SPDX-License-Identifier: MIT
#include "engine/names/rename_table.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"
#include "engine/io/csv_text.h"
#include "engine/io/field_marker.h"
#include "engine/io/line_reader.h"
#include "engine/io/quoted_records.h"
#include "engine/io/text_decoding.h"

#include <vector>

namespace urdiva {
namespace {

struct Entry {
    QString variant;
    QString canonical;
    qint64 line;
};

} // namespace

RenameTable RenameTable::read(const QString& path)
{
    RenameTable table;
    LineReader reader(path);
    // Read as the data files with quoted fields are, so that a name holding a line break, as
    // --suggest-renames writes it, comes back whole.
    RecordReader records(reader, u',', true);
    std::vector<Entry> entries; // in the table's order
    HashMap<QString, size_t, TextHash> variants; // case-folded -> entry
    HashMap<QString, qint64, TextHash> canonicals; // case-folded -> first line
    QByteArrayView raw;
    QByteArray bytes;
    QString text;
    QString storage;
    RecordFields fields;
    qint64 number = 0;
    bool headed = false;
    while (records.next(raw, number)) {
        decodeTextInto(withoutLoneCr(raw, bytes), text);
        const QString context = recordContext(reader.name(), number);
        if (!headed) {
            if (text.startsWith(QChar(0xFEFF)))
                text.remove(0, 1);
            if (text != QLatin1StringView(kRenameTableHeader))
                throw RunError(messages::renameTableHeader(), context);
            headed = true;
            continue;
        }
        if (text.isEmpty())
            continue;
        fields.splitQuoted(text, u',', storage);
        if (fields.count() != 2 || fields.value(0).isEmpty() || fields.value(1).isEmpty())
            throw RunError(messages::renameTableLine(), context);
        const QString variant = fromSpreadsheetCell(fields.value(0));
        const QString canonical = fromSpreadsheetCell(fields.value(1));
        const QString folded = variant.toCaseFolded();
        const auto [slot, isNew] = variants.try_emplace(folded, entries.size());
        if (!isNew) {
            if (entries[slot->second].canonical != canonical)
                throw RunError(messages::renameTableTwice(variant), context);
            continue;
        }
        entries.push_back({variant, canonical, number});
        if (folded != canonical.toCaseFolded())
            canonicals.try_emplace(canonical.toCaseFolded(), number);
    }
    if (!headed)
        throw RunError(messages::renameTableHeader(), recordContext(reader.name(), 1));
    // A name renamed and a name others are renamed to at once would make the result depend on
    // the order of renaming: chains and cycles are refused.
    for (Entry& entry : entries) {
        const QString folded = entry.variant.toCaseFolded();
        const auto found = canonicals.find(folded);
        if (found != canonicals.end() && folded != entry.canonical.toCaseFolded())
            throw RunError(messages::renameTableChain(entry.variant, entry.line, found->second),
                           recordContext(reader.name(), entry.line));
        table.m_names.emplace(folded, std::move(entry.canonical));
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
