// SPDX-License-Identifier: MIT
#include "engine/names/rename_table.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"
#include "engine/io/csv_text.h"
#include "engine/io/field_marker.h"
#include "engine/io/line_reader.h"
#include "engine/io/record_fields.h"
#include "engine/io/record_reader.h"
#include "engine/io/text_decoding.h"

#include <vector>

namespace urdiva {
namespace {

struct Entry {
    QString variant;
    QString canonical;
    qint64 line;
};

// The lines of one mode's renames, checked as they come.
struct ModeEntries {
    std::vector<Entry> entries; // in the table's order
    HashMap<QString, size_t, TextHash> variants; // case-folded -> entry
    HashMap<QString, qint64, TextHash> canonicals; // case-folded -> first line

    void add(const QString& variant, const QString& canonical, qint64 line, const QString& context)
    {
        const QString folded = variant.toCaseFolded();
        const auto [slot, isNew] = variants.try_emplace(folded, entries.size());
        if (!isNew) {
            if (entries[slot->second].canonical != canonical)
                throw RunError(messages::renameTableTwice(variant), context);
            return;
        }
        entries.push_back({variant, canonical, line});
        if (folded != canonical.toCaseFolded())
            canonicals.try_emplace(canonical.toCaseFolded(), line);
    }
};

} // namespace

RenameTable RenameTable::read(const QString& path)
{
    RenameTable table;
    LineReader reader(path);
    // Read as the data files with quoted fields are, so that a name holding a line break, as
    // --suggest-renames writes it, comes back whole.
    RecordReader records(reader, u',', true);
    ModeEntries modes[2];
    QByteArrayView raw;
    QByteArray bytes;
    QString text;
    QString storage;
    RecordFields fields;
    qint64 number = 0;
    int columns = 0; // 2, or 3 with modes; 0 before the header
    while (records.next(raw, number)) {
        decodeTextInto(withoutLoneCr(raw, bytes), text);
        const QString context = recordContext(reader.name(), number);
        if (columns == 0) {
            if (text.startsWith(QChar(0xFEFF)))
                text.remove(0, 1);
            if (text == QLatin1StringView(kRenameTableHeader))
                columns = 2;
            else if (text == QLatin1StringView(kModeRenameTableHeader))
                columns = 3;
            else
                throw RunError(messages::renameTableHeader(), context);
            continue;
        }
        if (text.isEmpty())
            continue;
        fields.splitQuoted(text, u',', storage);
        if (fields.count() != columns || fields.value(0).isEmpty() || fields.value(1).isEmpty())
            throw RunError(columns == 2 ? messages::renameTableLine()
                                        : messages::renameTableModeLine(),
                           context);
        const QString variant = fromSpreadsheetCell(fields.value(0));
        const QString canonical = fromSpreadsheetCell(fields.value(1));
        if (columns == 2) {
            for (ModeEntries& mode : modes)
                mode.add(variant, canonical, number, context);
            continue;
        }
        const QStringView mode = fields.value(2);
        if (mode != u"1" && mode != u"2")
            throw RunError(messages::renameTableModeLine(), context);
        modes[mode == u"2"].add(variant, canonical, number, context);
    }
    if (columns == 0)
        throw RunError(messages::renameTableHeader(), recordContext(reader.name(), 1));
    // A name renamed and a name others are renamed to at once would make the result depend on
    // the order of renaming: chains and cycles are refused.
    for (int m = 0; m < 2; ++m) {
        for (Entry& entry : modes[m].entries) {
            const QString folded = entry.variant.toCaseFolded();
            const auto found = modes[m].canonicals.find(folded);
            if (found != modes[m].canonicals.end() && folded != entry.canonical.toCaseFolded())
                throw RunError(messages::renameTableChain(entry.variant, entry.line, found->second),
                               recordContext(reader.name(), entry.line));
            table.m_names[m].emplace(folded, std::move(entry.canonical));
        }
    }
    return table;
}

QString RenameTable::apply(const QString& field, int mode) const
{
    const Names& names = m_names[mode];
    if (names.empty())
        return field;
    // The value stands between the markers the field has.
    const bool leading = field.startsWith(kFieldMarker);
    const bool trailing = field.size() >= 2 && field.endsWith(kFieldMarker);
    const QStringView value = QStringView(field).sliced(leading, field.size() - leading - trailing);
    const auto found = names.find(value.toString().toCaseFolded());
    if (found == names.end())
        return field;
    return (leading ? QString(kFieldMarker) : QString()) + found->second +
           (trailing ? QString(kFieldMarker) : QString());
}

} // namespace urdiva
