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
    if (m_keepSecond)
        m_members[size_t(a - 1)].push_back(second);
    else
        m_members[size_t(second - 1)].push_back(a);
}

std::vector<ModeProjection::Edge> ModeProjection::edges() const
{
    HashMap<quint64, quint32> shared;
    for (std::vector<int> members : m_members) {
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
