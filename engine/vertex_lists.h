#pragma once

#include "conversion_settings.h"
#include "name_collation.h"

#include <QHash>
#include <QLocale>
#include <QStringList>

#include <map>
#include <vector>

namespace urdiva {

// An ordered list of distinct names. Two names match when the collation ranks them equal and,
// in a list kept in order of appearance, they also have the same length. Matching is an
// equivalence, so a name matches at most one entry: an exact-text hash answers repeated names,
// and an ordered index over (length, collation key) answers the rest, which gives the same
// results as scanning the list for the first match.
class NameList {
public:
    enum class Order { Appearance, Collation };

    NameList(const QLocale& locale, Qt::CaseSensitivity caseSensitivity, Order order);

    // Appends the name (or, in a list in collation order, inserts it before the first entry
    // ranked above it) unless an entry matches it. Returns whether it was added.
    bool add(const QString& name);
    // The 0-based position of the entry that matches the name, or -1.
    qsizetype indexOf(const QString& name) const;
    // Removes the entry that matches the name, if there is one.
    void removeMatch(const QString& name);

    qsizetype size() const { return m_live; }
    QStringList entries() const;

private:
    struct ClassKey {
        qsizetype length;
        NameCollation::Key key;
        bool operator<(const ClassKey& other) const
        {
            if (length != other.length)
                return length < other.length;
            return key < other.key;
        }
    };

    ClassKey classKey(const QString& name) const;
    qsizetype findId(const QString& name) const;
    void refreshPositions() const;

    NameCollation m_collation;
    Order m_order;
    std::vector<QString> m_names; // by id, in order of addition; removed ones are null
    QHash<QString, qsizetype> m_exact;
    std::map<ClassKey, qsizetype> m_classes;
    qsizetype m_live = 0;
    mutable std::vector<qsizetype> m_positions; // position of each id in list order
    mutable bool m_positionsValid = true;
};

enum class End { First, Second };

// The candidate lists filled by the vertex pass and the two vertex lists built from them.
// Entries are marked fields in the candidate lists and normal forms in the vertex lists.
class VertexLists {
public:
    VertexLists(const QLocale& locale, NetworkMode mode, bool caseSensitive, bool sortAscending);

    // A suppressed end field of one record line: the first end always goes to the first
    // candidate list, the second end there too in one-mode and to the second one in two-mode.
    void addCandidate(End end, const QString& field);
    // Drops the blank fields "¶" and "¶¶" from the first candidate list.
    void removeBlankCandidates();
    // Brings both candidate lists to normal form; entries may repeat afterwards.
    void normaliseCandidates();
    void buildVertexLists();

    // The vertex number of a normal form at the given end, or 0 when no vertex matches it.
    int findVertex(const QString& normalForm, End end) const;

    QStringList firstModeVertices() const { return m_firstMode.entries(); }
    QStringList secondModeVertices() const { return m_secondMode.entries(); }
    qsizetype firstModeCount() const { return m_firstMode.size(); }
    qsizetype secondModeCount() const { return m_secondMode.size(); }

private:
    NetworkMode m_mode;
    NameList m_firstCandidates;
    NameList m_secondCandidates;
    QStringList m_firstNormalised;
    QStringList m_secondNormalised;
    NameList m_firstMode;
    NameList m_secondMode;
};

} // namespace urdiva
