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
    auto at = m_ids.find(value);
    if (at == m_ids.end()) {
        at = m_ids.emplace(value.toByteArray(), quint32(m_values.size())).first;
        m_values.push_back(at->first);
    }
    m_seen.emplace_back(ref, at->second);
}

VertexAttribute AttributeTally::resolve(const QString& name, const std::vector<int>& vertexOfField,
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
    // The sightings grouped by vertex, in the order they were made (a counting sort: far less
    // memory than a map of vertex and value pairs, which a million records fill).
    std::vector<quint32> start(size_t(vertexCount) + 2, 0);
    std::vector<int> vertexOf(m_seen.size());
    for (size_t k = 0; k < m_seen.size(); ++k) {
        const FieldMemo::FieldRef ref = m_seen[k].first;
        const int vertex = ref < vertexOfField.size() ? vertexOfField[ref] : 0;
        vertexOf[k] = vertex;
        if (vertex > 0)
            ++start[size_t(vertex) + 1];
    }
    for (size_t v = 1; v < start.size(); ++v)
        start[v] += start[v - 1];
    std::vector<quint32> order(start.back());
    {
        std::vector<quint32> next(start.begin(), start.end() - 1);
        for (size_t k = 0; k < m_seen.size(); ++k) {
            if (vertexOf[k] > 0)
                order[next[size_t(vertexOf[k])]++] = quint32(k);
        }
    }
    // Each vertex's values counted, in the order first seen: the first of the most frequent is
    // the one kept.
    attribute.values.resize(size_t(vertexCount) + 1);
    // Each value decoded once, and shared by the vertices that keep it.
    std::vector<QString> decoded(m_values.size());
    std::vector<quint32> times(m_values.size(), 0);
    std::vector<quint32> touched;
    for (size_t v = 1; v <= size_t(vertexCount); ++v) {
        touched.clear();
        for (quint32 i = start[v]; i < start[v + 1]; ++i) {
            const quint32 value = m_seen[order[i]].second;
            if (times[value]++ == 0)
                touched.push_back(value);
        }
        quint32 kept = 0;
        quint32 most = 0;
        for (const quint32 value : touched) {
            if (times[value] > most) {
                most = times[value];
                kept = value;
            }
            times[value] = 0;
        }
        if (most > 0) {
            if (decoded[kept].isNull())
                decoded[kept] = QString::fromUtf8(texts[kept]);
            attribute.values[v] = decoded[kept];
        }
        if (touched.size() > 1)
            conflicting[v] = true;
    }
    return attribute;
}

} // namespace urdiva
