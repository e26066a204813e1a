// SPDX-License-Identifier: MIT
#include "engine/names/vertex_lists.h"

#include "engine/core/parallel.h"
#include "engine/io/field_marker.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace urdiva {

namespace {
Qt::CaseSensitivity caseRule(bool caseSensitive)
{
    return caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
}
} // namespace

VertexLists::VertexLists(const QLocale& locale, NetworkMode mode, bool caseSensitive,
                         bool sortAscending)
    : m_mode(mode)
    , m_firstCandidates(std::in_place, locale, caseRule(caseSensitive), NameList::Order::Appearance)
    , m_secondCandidates(std::in_place, locale, caseRule(caseSensitive),
                         NameList::Order::Appearance)
    , m_firstMode(locale, Qt::CaseInsensitive,
                  sortAscending ? NameList::Order::Collation : NameList::Order::Appearance)
    , m_secondMode(locale, caseRule(caseSensitive), NameList::Order::Appearance)
{
}

void VertexLists::addCandidates(End end, std::span<const QString> fields)
{
    if (end == End::Second && m_mode == NetworkMode::TwoMode)
        m_secondCandidates->addAll(fields);
    else
        m_firstCandidates->addAll(fields);
}

void VertexLists::removeBlankCandidates()
{
    m_firstCandidates->freeze();
    m_secondCandidates->freeze();
    m_firstCandidates->removeMatch(QString(kFieldMarker));
    m_firstCandidates->removeMatch(QString(2, kFieldMarker));
}

// A slice at a time, so that a normal form that repeats one offered before is let go at once,
// and each candidate as soon as its normal form is made. The normal forms of a slice are made on
// two threads at once.
void VertexLists::normaliseCandidates()
{
    constexpr qsizetype kSlice = 65536;
    std::vector<QString> slice;
    for (const auto& [candidates, vertices, positions] :
         {std::tuple(&m_firstCandidates, &m_firstMode, &m_firstCandidatePositions),
          std::tuple(&m_secondCandidates, &m_secondMode, &m_secondCandidatePositions)}) {
        *positions = (*candidates)->takeOwnTextPositions();
        QStringList entries = (*candidates)->takeEntries();
        candidates->reset();
        // Grown once: growing by doubling would hold the old tables and the new at once.
        vertices->reserve(size_t(entries.size()));
        for (qsizetype begin = 0; begin < entries.size(); begin += kSlice) {
            slice.resize(size_t(std::min(kSlice, entries.size() - begin)));
            inHalves(slice.size(), [&](size_t from, size_t to, int) {
                for (size_t i = from; i < to; ++i)
                    slice[i] = normaliseField(std::exchange(entries[begin + qsizetype(i)], {}));
            });
            vertices->addAll(std::move(slice));
            slice.clear();
        }
    }
}

void VertexLists::buildVertexLists()
{
    m_firstMode.freeze();
    m_secondMode.freeze();
}

std::vector<qint32> VertexLists::takeKnownVertexNumbers(End end)
{
    const bool second = end == End::Second && m_mode == NetworkMode::TwoMode;
    // Each candidate's position is replaced by its vertex number.
    std::vector<qint32> numbers =
        std::exchange(second ? m_secondCandidatePositions : m_firstCandidatePositions, {});
    const std::vector<qint32> vertexPositions =
        (second ? m_secondMode : m_firstMode).takeOfferPositions();
    for (qint32& number : numbers) {
        if (number >= 0)
            number = vertexNumber(vertexPositions[size_t(number)], end);
    }
    return numbers;
}

int VertexLists::vertexNumber(qsizetype position, End end) const
{
    if (position < 0)
        return 0;
    if (end == End::Second && m_mode == NetworkMode::TwoMode)
        return int(m_firstMode.size() + position + 1);
    return int(position + 1);
}

const NameList& VertexLists::vertexList(End end) const
{
    return end == End::Second && m_mode == NetworkMode::TwoMode ? m_secondMode : m_firstMode;
}

int VertexLists::findVertex(const QString& normalForm, End end) const
{
    return vertexNumber(vertexList(end).indexOf(normalForm), end);
}

std::optional<int> VertexLists::findOfferedVertex(QStringView normalForm, End end) const
{
    const std::optional<qsizetype> position = vertexList(end).indexOfOffered(normalForm);
    if (!position)
        return std::nullopt;
    return vertexNumber(*position, end);
}

} // namespace urdiva
