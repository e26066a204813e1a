// SPDX-License-Identifier: MIT
#include "engine/network/link_pass.h"

#include "engine/core/hash_map.h"

#include <algorithm>

namespace urdiva {
namespace {

// The links of one record seen so far: a short list searched from end to end, or a hash set for
// records with many names.
class RecordLinks {
public:
    void start(size_t expected)
    {
        m_list.clear();
        m_large = expected > kListed;
        // Clearing costs the set's room: after a record of many names, a record of a few gets
        // a small set again.
        if (m_large && m_set.bucket_count() > 4 * expected)
            m_set = HashSet<quint64>();
        else if (m_large)
            m_set.clear();
    }
    // False when the link was seen before.
    bool add(quint64 key)
    {
        if (m_large)
            return m_set.insert(key).second;
        if (std::find(m_list.begin(), m_list.end(), key) != m_list.end())
            return false;
        m_list.push_back(key);
        return true;
    }

private:
    static constexpr size_t kListed = 32;
    bool m_large = false;
    std::vector<quint64> m_list;
    HashSet<quint64> m_set;
};

} // namespace

qint64
forEachLink(const RecordLog::Chunk& chunk, size_t begin, size_t end, const LinkRules& rules,
            bool weighted, const std::vector<int>& firstNumbers,
            const std::vector<int>& secondNumbers,
            const std::function<void(int a, int b, QByteArrayView weight, qint32 time)>& onLink)
{
    qint64 withoutLink = 0;
    const char* weight = chunk.weights.data();
    const FieldMemo::FieldRef* ends = chunk.ends.data();
    for (size_t r = 0; r < begin; ++r) {
        if (weighted)
            chunk.takeWeight(weight);
        ends += chunk.counts.empty() ? 2 : chunk.counts[2 * r] + chunk.counts[2 * r + 1];
    }
    RecordLinks seen;
    for (size_t r = begin; r < end; ++r) {
        const QByteArrayView weightText = weighted ? chunk.takeWeight(weight) : QByteArrayView();
        const qint32 time = chunk.times.empty() ? kNoTime : chunk.times[r];
        if (chunk.counts.empty()) {
            const int a = firstNumbers[ends[0]];
            const int b = secondNumbers[ends[1]];
            ends += 2;
            if (a != 0 && b != 0)
                onLink(a, b, weightText, time);
            else
                ++withoutLink;
            continue;
        }
        const size_t firstCount = chunk.counts[2 * r];
        const size_t secondCount = chunk.counts[2 * r + 1];
        const FieldMemo::FieldRef* first = ends;
        const FieldMemo::FieldRef* second = ends + firstCount;
        ends += firstCount + secondCount;
        bool linked = false;
        const auto link = [&](int a, int b) {
            if (a == 0 || b == 0 || (rules.cooccur && a == b) ||
                !seen.add(linkKey(a, b, rules.directed)))
                return;
            linked = true;
            onLink(a, b, weightText, time);
        };
        if (rules.cooccur) {
            seen.start(firstCount * (firstCount - (firstCount > 0)) / 2);
            for (size_t i = 0; i < firstCount; ++i) {
                for (size_t j = i + 1; j < firstCount; ++j)
                    link(firstNumbers[first[i]], firstNumbers[first[j]]);
            }
        } else {
            seen.start(firstCount * secondCount);
            for (size_t i = 0; i < firstCount; ++i) {
                for (size_t j = 0; j < secondCount; ++j)
                    link(firstNumbers[first[i]], secondNumbers[second[j]]);
            }
        }
        withoutLink += !linked;
    }
    return withoutLink;
}

} // namespace urdiva
