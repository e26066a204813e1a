// SPDX-License-Identifier: MIT
#include "engine/names/vertex_numbering.h"

#include "engine/core/parallel.h"
#include "engine/io/record_line.h"
#include "engine/names/strip.h"

#include <optional>
#include <utility>

namespace urdiva {
namespace {

// A field's stripped marked text, renamed by the table's renames for its mode (0 or 1).
QString candidateText(const FieldMemo::Field& field, const StripRule& rule,
                      const RenameTable& renames, int mode)
{
    QString text = stripCharacters(
        rule, markedField(RecordLine::valueOfKey(field.key, field.keyIsText), field.shape));
    return renames.isEmpty() ? text : renames.apply(text, mode);
}

} // namespace

void buildCandidateTexts(ListFields& fields, const StripRule& rule, const RenameTable& renames,
                         int mode)
{
    fields.texts.resize(fields.sightings.size());
    // A field seen again in another shape long after its first sighting is far from its
    // neighbours in the memo: the fields a little ahead are fetched meanwhile.
    constexpr size_t kAhead = 8;
    inHalves(fields.texts.size(), [&](size_t begin, size_t end, int) {
        for (size_t i = begin; i < end; ++i) {
            if (i + 2 * kAhead < end)
                fields.memo.prefetchOffset(fields.sightings[i + 2 * kAhead]);
            if (i + kAhead < end)
                fields.memo.prefetchKey(fields.sightings[i + kAhead]);
            fields.texts[i] =
                candidateText(fields.memo.field(fields.sightings[i]), rule, renames, mode);
        }
    });
    fields.refCount = fields.memo.refCount();
    fields.memo = FieldMemo();
}

// Most numbers are known from the vertex lists' making; the others' normal forms are mostly texts
// the vertex list was offered, found by text alone on two threads at once, and the rest are
// looked up afterwards.
std::vector<int> vertexNumbers(const ListFields& fields, End end, VertexLists& lists)
{
    std::vector<int> numbers(fields.refCount, 0);
    const std::vector<qint32> known = lists.takeKnownVertexNumbers(end);
    std::vector<std::pair<FieldMemo::FieldRef, QString>> others[2];
    inHalves(fields.sightings.size(), [&](size_t begin, size_t stop, int half) {
        QString storage;
        for (size_t i = begin; i < stop; ++i) {
            const FieldMemo::FieldRef ref = fields.sightings[i];
            if (known[i] >= 0) {
                numbers[ref] = known[i];
                continue;
            }
            const QStringView normalForm = normaliseField(fields.texts[i], storage);
            if (const std::optional<int> number = lists.findOfferedVertex(normalForm, end))
                numbers[ref] = *number;
            else
                others[half].emplace_back(ref, normalForm.toString());
        }
    });
    for (const auto& part : others) {
        for (const auto& [ref, normalForm] : part)
            numbers[ref] = lists.findVertex(normalForm, end);
    }
    return numbers;
}

} // namespace urdiva
