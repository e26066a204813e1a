// SPDX-License-Identifier: MIT
#include "engine/network/projection.h"

#include "engine/network/link_pass.h"

#include <algorithm>

namespace urdiva {

ModeProjection::ModeProjection(bool keepSecond, int firstModeCount, int secondModeCount)
    : m_keepSecond(keepSecond)
    , m_firstModeCount(firstModeCount)
    , m_members(size_t(keepSecond ? firstModeCount : secondModeCount))
{
}

void ModeProjection::add(int a, int b)
{
    if (!m_links.insert(linkKey(a, b, true)).second)
        return;
    const int second = b - m_firstModeCount;
    const int other = m_keepSecond ? a - 1 : second - 1;
    std::vector<int>& members = m_members[size_t(other)];
    if (members.empty())
        m_linked.push_back(other);
    members.push_back(m_keepSecond ? second : a);
}

void ModeProjection::clear()
{
    for (const int other : m_linked)
        m_members[size_t(other)].clear();
    m_linked.clear();
    m_links.clear();
}

std::vector<ModeProjection::Edge> ModeProjection::edges() const
{
    HashMap<quint64, quint32> shared;
    for (const int other : m_linked) {
        std::vector<int> members = m_members[size_t(other)];
        std::sort(members.begin(), members.end());
        for (size_t i = 0; i < members.size(); ++i) {
            for (size_t j = i + 1; j < members.size(); ++j)
                ++shared[linkKey(members[i], members[j], true)];
        }
    }
    std::vector<Edge> edges;
    edges.reserve(shared.size());
    for (const auto& [key, count] : shared)
        edges.push_back({int(key >> 32), int(key & 0xFFFFFFFFu), count});
    std::sort(edges.begin(), edges.end(),
              [](const Edge& x, const Edge& y) { return x.a != y.a ? x.a < y.a : x.b < y.b; });
    return edges;
}

} // namespace urdiva
