// SPDX-License-Identifier: MIT
#include "engine/report/name_groups.h"

#include <algorithm>
#include <numeric>

namespace urdiva {

NameGroups::NameGroups(size_t names)
    : m_parent(names)
{
    std::iota(m_parent.begin(), m_parent.end(), quint32(0));
}

quint32 NameGroups::root(quint32 name)
{
    while (m_parent[name] != name) {
        m_parent[name] = m_parent[m_parent[name]];
        name = m_parent[name];
    }
    return name;
}

void NameGroups::join(quint32 a, quint32 b)
{
    a = root(a);
    b = root(b);
    // The earlier name is the root, so that a group is found by its earliest position.
    if (a != b)
        m_parent[std::max(a, b)] = std::min(a, b);
}

std::vector<std::vector<quint32>> NameGroups::groups(const std::vector<qint64>& counts)
{
    std::vector<qint64> groupOf(m_parent.size(), -1); // root -> place in the list
    std::vector<std::vector<quint32>> list;
    std::vector<size_t> sizes(m_parent.size(), 0);
    for (quint32 name = 0; name < m_parent.size(); ++name)
        ++sizes[root(name)];
    for (quint32 name = 0; name < m_parent.size(); ++name) {
        const quint32 r = root(name);
        if (sizes[r] < 2)
            continue;
        if (groupOf[r] < 0) {
            groupOf[r] = qint64(list.size());
            list.emplace_back();
        }
        list[size_t(groupOf[r])].push_back(name);
    }
    const auto count = [&](quint32 name) { return name < counts.size() ? counts[name] : 0; };
    for (std::vector<quint32>& group : list)
        std::stable_sort(group.begin(), group.end(),
                         [&](quint32 x, quint32 y) { return count(x) > count(y); });
    return list;
}

} // namespace urdiva
