#include "vertex_lists.h"

#include "field_marker.h"

#include <algorithm>
#include <exception>
#include <thread>

namespace urdiva {

NameList::NameList(const QLocale& locale, Qt::CaseSensitivity caseSensitivity, Order order)
    : m_collation(locale, caseSensitivity)
    , m_order(order)
{
}

void NameList::add(const QString& name)
{
    if (m_ids.contains(name))
        return;
    m_ids.insert(name, qsizetype(m_names.size()));
    m_names.push_back(name);
}

int NameList::compare(const NameCollation& collation, qsizetype a, qsizetype b) const
{
    const QString& x = m_names[size_t(a)];
    const QString& y = m_names[size_t(b)];
    if (m_order == Order::Appearance && x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return collation.compare(x, y);
}

void NameList::freeze()
{
    const size_t n = m_names.size();
    std::vector<qsizetype> order(n);
    for (size_t i = 0; i < n; ++i)
        order[i] = qsizetype(i);
    // Ties go to the earlier name, so each group of matching names starts with its first.
    const auto before = [this](const NameCollation& collation) {
        return [this, &collation](qsizetype a, qsizetype b) {
            const int c = compare(collation, a, b);
            return c != 0 ? c < 0 : a < b;
        };
    };
    // Collation is the costly part of a run with many names: a large list is sorted in two
    // halves at once, each with its own collator, and merged.
    constexpr size_t kParallelFrom = 20000;
    if (n >= kParallelFrom) {
        const auto middle = order.begin() + qsizetype(n / 2);
        const NameCollation helperCollation = m_collation.clone();
        std::exception_ptr helperFailure;
        std::thread helper([&] {
            try {
                std::sort(middle, order.end(), before(helperCollation));
            } catch (...) {
                helperFailure = std::current_exception();
            }
        });
        try {
            std::sort(order.begin(), middle, before(m_collation));
        } catch (...) {
            helper.join();
            throw;
        }
        helper.join();
        if (helperFailure)
            std::rethrow_exception(helperFailure);
        std::inplace_merge(order.begin(), middle, order.end(), before(m_collation));
    } else {
        std::sort(order.begin(), order.end(), before(m_collation));
    }
    m_entryOf.assign(n, -1);
    m_sorted.clear();
    for (size_t k = 0; k < n; ++k) {
        const qsizetype id = order[k];
        if (k == 0 || compare(m_collation, m_sorted.back(), id) != 0)
            m_sorted.push_back(id);
        m_entryOf[size_t(id)] = m_sorted.back();
    }
    m_removed.assign(n, false);
    number();
}

void NameList::number()
{
    m_position.assign(m_names.size(), -1);
    qsizetype position = 0;
    if (m_order == Order::Collation) {
        for (const qsizetype id : m_sorted) {
            if (!m_removed[size_t(id)])
                m_position[size_t(id)] = position++;
        }
    } else {
        for (size_t id = 0; id < m_names.size(); ++id) {
            if (m_entryOf[id] == qsizetype(id) && !m_removed[id])
                m_position[id] = position++;
        }
    }
    m_size = position;
}

// The entry matching the name, or -1: offered texts are known; any other is searched for by
// bisection over the sorted entries.
qsizetype NameList::findEntry(const QString& name) const
{
    if (const auto it = m_ids.constFind(name); it != m_ids.cend())
        return m_entryOf[size_t(*it)];
    const auto below = [this, &name](qsizetype id) {
        const QString& entry = m_names[size_t(id)];
        if (m_order == Order::Appearance && entry.size() != name.size())
            return entry.size() < name.size();
        return m_collation.compare(entry, name) < 0;
    };
    const auto it = std::partition_point(m_sorted.begin(), m_sorted.end(), below);
    if (it == m_sorted.end())
        return -1;
    const QString& entry = m_names[size_t(*it)];
    if (m_order == Order::Appearance && entry.size() != name.size())
        return -1;
    return m_collation.compare(entry, name) == 0 ? *it : -1;
}

qsizetype NameList::indexOf(const QString& name) const
{
    const qsizetype id = findEntry(name);
    return id < 0 ? -1 : m_position[size_t(id)];
}

void NameList::removeMatch(const QString& name)
{
    const qsizetype id = findEntry(name);
    if (id < 0 || m_removed[size_t(id)])
        return;
    m_removed[size_t(id)] = true;
    number();
}

QStringList NameList::entries() const
{
    std::vector<qsizetype> byPosition(static_cast<size_t>(m_size));
    for (size_t id = 0; id < m_position.size(); ++id) {
        if (m_position[id] >= 0)
            byPosition[size_t(m_position[id])] = qsizetype(id);
    }
    QStringList out;
    out.reserve(m_size);
    for (const qsizetype id : byPosition)
        out.append(m_names[size_t(id)]);
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
    m_firstCandidates.freeze();
    m_secondCandidates.freeze();
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
    m_firstMode.freeze();
    m_secondMode.freeze();
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
