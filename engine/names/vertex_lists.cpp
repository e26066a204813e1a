// SPDX-License-Identifier: MIT
#include "engine/names/vertex_lists.h"

#include "engine/io/field_marker.h"

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

void VertexLists::normaliseCandidates()
{
    m_firstNormalised = m_firstCandidates->entries();
    m_secondNormalised = m_secondCandidates->entries();
    m_firstCandidates.reset();
    m_secondCandidates.reset();
    for (QString& entry : m_firstNormalised)
        entry = normaliseField(entry);
    for (QString& entry : m_secondNormalised)
        entry = normaliseField(entry);
}

void VertexLists::buildVertexLists()
{
    m_firstMode.addAll(std::span(m_firstNormalised.constData(), size_t(m_firstNormalised.size())));
    m_secondMode.addAll(
        std::span(m_secondNormalised.constData(), size_t(m_secondNormalised.size())));
    m_firstNormalised = QStringList();
    m_secondNormalised = QStringList();
    m_firstMode.freeze();
    m_secondMode.freeze();
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
