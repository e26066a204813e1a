// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/strip_rule.h"
#include "engine/io/record_stream.h"
#include "engine/names/field_memo.h"
#include "engine/names/rename_table.h"
#include "engine/names/vertex_lists.h"

#include <QString>

#include <span>
#include <vector>

namespace urdiva {

// The fields of one name list, which in two-mode the second end has of its own and in one-mode
// both ends share: the memo that tells them apart (let go once the pass is over), the fields in
// order of first sighting, and their stripped marked texts, which are the list's candidates.
struct ListFields {
    FieldMemo memo;
    size_t refCount = 0; // the memo's, kept when it is let go
    std::vector<FieldMemo::FieldRef> sightings;
    std::vector<QString> texts;
    std::vector<quint32> seen; // how often each field was seen, where the report needs it
};

// Calls onRecord with every record of a batch. The memo lookups of the records' end fields are
// started ahead, in two steps (see FieldMemo::prefetchSlot), so that each has had time to
// arrive when it is needed.
template <typename FieldsOf, typename OnRecord>
void forEachRecord(std::span<const RecordStream::Record> records, FieldsOf fieldsOf,
                   OnRecord onRecord)
{
    constexpr size_t kAhead = 16;
    const auto fetch = [&](size_t r, auto step) {
        if (r >= records.size())
            return;
        if (records[r].ends[0].present)
            step(fieldsOf(End::First).memo, records[r].ends[0].hash);
        if (records[r].ends[1].present)
            step(fieldsOf(End::Second).memo, records[r].ends[1].hash);
    };
    const auto slot = [](const FieldMemo& memo, size_t hash) { memo.prefetchSlot(hash); };
    const auto entry = [](const FieldMemo& memo, size_t hash) { memo.prefetchEntry(hash); };
    for (size_t r = 0; r < 2 * kAhead; ++r)
        fetch(r, slot);
    for (size_t r = 0; r < kAhead; ++r)
        fetch(r, entry);
    for (size_t r = 0; r < records.size(); ++r) {
        fetch(r + 2 * kAhead, slot);
        fetch(r + kAhead, entry);
        onRecord(records[r]);
    }
}

// Makes the list's candidates: each field's stripped marked text, renamed by the table's renames
// for its mode (0 or 1). The memo is let go.
void buildCandidateTexts(ListFields& fields, const StripRule& rule, const RenameTable& renames,
                         int mode);

// The vertex number of every field, indexed by FieldRef; 0 where no vertex matches.
std::vector<int> vertexNumbers(const ListFields& fields, End end, VertexLists& lists);

} // namespace urdiva
