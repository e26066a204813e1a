// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <vector>

namespace urdiva {

// Names joined by the pairs of a report, as groups: the names that listed pairs connect.
class NameGroups {
public:
    explicit NameGroups(size_t names);
    void join(quint32 a, quint32 b);
    // The groups of two or more names, each ordered by descending count (how often the name
    // occurs), then by position; the groups ordered by their earliest position.
    std::vector<std::vector<quint32>> groups(const std::vector<qint64>& counts);

private:
    quint32 root(quint32 name);

    std::vector<quint32> m_parent;
};

} // namespace urdiva
