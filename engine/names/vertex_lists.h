// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/names/name_list.h"

#include <QLocale>
#include <QStringList>

#include <optional>
#include <span>
#include <vector>

namespace urdiva {

enum class End { First, Second };

// The candidate lists filled by the vertex pass and the two vertex lists built from them.
// Entries are marked fields in the candidate lists and normal forms in the vertex lists.
class VertexLists {
public:
    VertexLists(const QLocale& locale, NetworkMode mode, bool caseSensitive, bool sortAscending);

    // Stripped end fields of record lines, in order: those of first ends always go to the
    // first candidate list, those of second ends there too in one-mode and to the second one
    // in two-mode.
    void addCandidates(End end, std::span<const QString> fields);
    // Settles both candidate lists (NameList::freeze), then drops the blank fields "¶" and "¶¶"
    // from the first.
    void removeBlankCandidates();
    // Offers the normal form of each entry of the candidate lists, in their order, to the
    // vertex list of its mode, and lets the candidate lists go.
    void normaliseCandidates();
    // Settles the vertex lists (NameList::freeze).
    void buildVertexLists();

    // After buildVertexLists(): for each field offered at the given end, in order, its vertex
    // number where the field's own text was an entry of its candidate list (so that its normal
    // form was offered to the vertex list), else -1: such a field is found by its normal form.
    // Called once for each list.
    std::vector<qint32> takeKnownVertexNumbers(End end);
    // The vertex number of a normal form at the given end, or 0 when no vertex matches it.
    int findVertex(const QString& normalForm, End end) const;
    // The same for a normal form that the vertex list was offered; nullopt for any other. It
    // may be called from several threads at once.
    std::optional<int> findOfferedVertex(QStringView normalForm, End end) const;

    QStringList firstModeVertices() const { return m_firstMode.entries(); }
    QStringList secondModeVertices() const { return m_secondMode.entries(); }
    qsizetype firstModeCount() const { return m_firstMode.size(); }
    qsizetype secondModeCount() const { return m_secondMode.size(); }

private:
    const NameList& vertexList(End end) const;
    int vertexNumber(qsizetype position, End end) const;

    NetworkMode m_mode;
    // Each list is let go as soon as the next step has what it needs of it, so that a run with
    // millions of names holds no more of them than it must.
    std::optional<NameList> m_firstCandidates;
    std::optional<NameList> m_secondCandidates;
    // For each candidate offered, the position of its own text among its list's entries, which is
    // the order in which their normal forms are offered to the vertex list; or -1.
    std::vector<qint32> m_firstCandidatePositions;
    std::vector<qint32> m_secondCandidatePositions;
    NameList m_firstMode;
    NameList m_secondMode;
};

} // namespace urdiva
