#include "vertex_lists.h"

#include "field_marker.h"

namespace urdiva {

NameList::NameList(const QLocale& locale, Qt::CaseSensitivity caseSensitivity, Order order)
    : m_collation(locale, caseSensitivity)
    , m_order(order)
{
}

NameList::ClassKey NameList::classKey(const QString& name) const
{
    // A list in collation order compares by collation alone.
    return {m_order == Order::Appearance ? name.size() : 0, m_collation.key(name)};
}

qsizetype NameList::findId(const QString& name) const
{
    if (const auto it = m_exact.constFind(name); it != m_exact.cend()) {
        if (!m_names[size_t(*it)].isNull())
            return *it;
    }
    const auto it = m_classes.find(classKey(name));
    return it == m_classes.end() ? -1 : it->second;
}

bool NameList::add(const QString& name)
{
    if (const auto it = m_exact.constFind(name); it != m_exact.cend()) {
        if (!m_names[size_t(*it)].isNull())
            return false;
    }
    // An unknown text may still match an entry spelled differently.
    ClassKey key = classKey(name);
    if (const auto it = m_classes.find(key); it != m_classes.end()) {
        m_exact.insert(name, it->second);
        return false;
    }
    const auto id = qsizetype(m_names.size());
    m_names.push_back(name);
    m_classes.emplace(std::move(key), id);
    m_exact.insert(name, id);
    ++m_live;
    if (m_order == Order::Appearance && m_positionsValid)
        m_positions.push_back(m_live - 1);
    else
        m_positionsValid = false;
    return true;
}

void NameList::refreshPositions() const
{
    m_positions.assign(m_names.size(), -1);
    qsizetype position = 0;
    if (m_order == Order::Appearance) {
        for (size_t id = 0; id < m_names.size(); ++id) {
            if (!m_names[id].isNull())
                m_positions[id] = position++;
        }
    } else {
        for (const auto& entry : m_classes)
            m_positions[size_t(entry.second)] = position++;
    }
    m_positionsValid = true;
}

qsizetype NameList::indexOf(const QString& name) const
{
    const qsizetype id = findId(name);
    if (id < 0)
        return -1;
    if (!m_positionsValid)
        refreshPositions();
    return m_positions[size_t(id)];
}

void NameList::removeMatch(const QString& name)
{
    const qsizetype id = findId(name);
    if (id < 0)
        return;
    m_classes.erase(classKey(m_names[size_t(id)]));
    m_names[size_t(id)] = QString();
    --m_live;
    m_positionsValid = false;
}

QStringList NameList::entries() const
{
    QStringList out;
    out.reserve(m_live);
    if (m_order == Order::Appearance) {
        for (const QString& name : m_names) {
            if (!name.isNull())
                out.append(name);
        }
    } else {
        for (const auto& entry : m_classes)
            out.append(m_names[size_t(entry.second)]);
    }
    return out;
}

namespace {
Qt::CaseSensitivity caseRule(bool caseSensitive)
{
    return caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
}
} // namespace

VertexLists::VertexLists(const QLocale& locale, NetworkMode mode, bool caseSensitive,
                         bool sortAscending)
    : m_mode(mode)
    , m_firstCandidates(locale, caseRule(caseSensitive), NameList::Order::Appearance)
    , m_secondCandidates(locale, caseRule(caseSensitive), NameList::Order::Appearance)
    , m_firstMode(locale, Qt::CaseInsensitive,
                  sortAscending ? NameList::Order::Collation : NameList::Order::Appearance)
    , m_secondMode(locale, caseRule(caseSensitive), NameList::Order::Appearance)
{
}

void VertexLists::addCandidate(End end, const QString& field)
{
    if (end == End::Second && m_mode == NetworkMode::TwoMode)
        m_secondCandidates.add(field);
    else
        m_firstCandidates.add(field);
}

void VertexLists::removeBlankCandidates()
{
    m_firstCandidates.removeMatch(QString(kFieldMarker));
    m_firstCandidates.removeMatch(QString(2, kFieldMarker));
}

void VertexLists::normaliseCandidates()
{
    m_firstNormalised = m_firstCandidates.entries();
    for (QString& entry : m_firstNormalised)
        entry = normaliseField(entry);
    m_secondNormalised = m_secondCandidates.entries();
    for (QString& entry : m_secondNormalised)
        entry = normaliseField(entry);
}

void VertexLists::buildVertexLists()
{
    for (const QString& name : std::as_const(m_firstNormalised))
        m_firstMode.add(name);
    for (const QString& name : std::as_const(m_secondNormalised))
        m_secondMode.add(name);
}

int VertexLists::findVertex(const QString& normalForm, End end) const
{
    if (end == End::Second && m_mode == NetworkMode::TwoMode) {
        const qsizetype q = m_secondMode.indexOf(normalForm);
        return q < 0 ? 0 : int(m_firstMode.size() + q + 1);
    }
    const qsizetype p = m_firstMode.indexOf(normalForm);
    return p < 0 ? 0 : int(p + 1);
}

} // namespace urdiva
