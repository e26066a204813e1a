// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/hash_map.h"

#include <vector>

namespace urdiva {

// The one-mode network of one mode of a two-mode network. Two of the kept mode's vertices are
// linked when they share vertices of the other mode, weighted by how many they share; repeated
// links count once. Its cost is that of its output: the sum, over the other mode's vertices, of
// the square of their degree.
class ModeProjection {
public:
    struct Edge {
        int a; // a < b, numbered from 1 within the kept mode
        int b;
        quint32 shared;
    };

    // keepSecond: keep the second mode, whose vertices follow the firstModeCount vertices of the
    // first.
    ModeProjection(bool keepSecond, int firstModeCount, int secondModeCount);
    // A link of the two-mode network: a of the first mode, b of the second.
    void add(int a, int b);
    // The edges, ordered by their ends.
    std::vector<Edge> edges() const;
    // Forgets the links added, at the cost of those links alone: one projection serves the links
    // of one time after another.
    void clear();

private:
    bool m_keepSecond;
    int m_firstModeCount;
    HashSet<quint64> m_links;
    // For each vertex of the other mode, the kept vertices it is linked to.
    std::vector<std::vector<int>> m_members;
    std::vector<int> m_linked; // the other mode's vertices with members, by place in m_members
};

} // namespace urdiva
