// SPDX-License-Identifier: MIT
#include "engine/network/attribute_tally.h"

#include "engine/io/weight_text.h"

#include <algorithm>
#include <limits>

namespace urdiva {
namespace {

// A whole number a 32-bit GraphML int holds: digits, after a sign.
bool isWholeNumber(QByteArrayView text)
{
    const QByteArrayView digits =
        text.startsWith('-') || text.startsWith('+') ? text.sliced(1) : text;
    if (digits.isEmpty() || digits.size() > 10 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    bool fits = false;
    const qint64 value = text.toLongLong(&fits);
    return fits && value >= std::numeric_limits<qint32>::min() &&
           value <= std::numeric_limits<qint32>::max();
}

} // namespace

void AttributeTally::add(FieldMemo::FieldRef ref, QByteArrayView value)
{
    if (value.isEmpty())
        return;
    const auto [at, added] = m_ids.try_emplace(value.toByteArray(), quint32(m_values.size()));
    if (added)
        m_values.push_back(at->first);
    m_seen.emplace_back(ref, at->second);
}

VertexAttribute AttributeTally::resolve(const QString& name,
                                        const std::function<int(FieldMemo::FieldRef)>& vertexOf,
                                        int vertexCount, bool decimalComma,
                                        std::vector<bool>& conflicting) const
{
    VertexAttribute attribute;
    attribute.name = name;
    // The values as they are written: numbers with a decimal point.
    std::vector<QByteArray> written = m_values;
    bool numbers = true;
    bool whole = true;
    for (QByteArray& value : written) {
        QByteArray storage;
        const std::optional<QByteArrayView> pointed =
            decimalComma ? withDecimalPoint(value, storage) : std::optional(QByteArrayView(value));
        numbers = numbers && pointed && isNumber(*pointed);
        if (numbers) {
            whole = whole && isWholeNumber(*pointed);
            value = pointed->toByteArray();
        }
    }
    attribute.type = !numbers ? VertexAttribute::Type::Text
                     : whole  ? VertexAttribute::Type::Integer
                              : VertexAttribute::Type::Number;
    const std::vector<QByteArray>& texts =
        attribute.type == VertexAttribute::Type::Text ? m_values : written;
    // For each vertex and value: how often, and the first sighting.
    struct Count {
        quint32 times = 0;
        size_t first = 0;
    };
    HashMap<quint64, Count> counts;
    std::vector<qsizetype> distinct(size_t(vertexCount) + 1, 0);
    for (size_t k = 0; k < m_seen.size(); ++k) {
        const int vertex = vertexOf(m_seen[k].first);
        if (vertex <= 0)
            continue;
        const auto [at, added] =
            counts.try_emplace(quint64(vertex) << 32 | m_seen[k].second, Count {0, k});
        ++at->second.times;
        if (added)
            ++distinct[size_t(vertex)];
    }
    struct Best {
        Count count;
        quint32 value = 0;
    };
    std::vector<Best> best(size_t(vertexCount) + 1);
    for (const auto& [key, count] : counts) {
        Best& b = best[size_t(key >> 32)];
        if (count.times > b.count.times ||
            (count.times == b.count.times && count.first < b.count.first))
            b = {count, quint32(key)};
    }
    attribute.values.resize(size_t(vertexCount) + 1);
    for (size_t v = 1; v < best.size(); ++v) {
        if (best[v].count.times > 0)
            attribute.values[v] = QString::fromUtf8(texts[best[v].value]);
        if (distinct[v] > 1)
            conflicting[v] = true;
    }
    return attribute;
}

} // namespace urdiva
