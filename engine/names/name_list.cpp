// SPDX-License-Identifier: MIT
#include "engine/names/name_list.h"

#include "engine/core/parallel.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace urdiva {

NameList::NameList(const QLocale& locale, Qt::CaseSensitivity caseSensitivity, Order order)
    : m_collation(locale, caseSensitivity)
    , m_order(order)
    , m_ids(0, IdHash {m_hashes.get()}, IdEqual {m_names.get(), m_hashes.get()})
{
}

void NameList::reserve(size_t count)
{
    m_names->reserve(count);
    m_hashes->reserve(count);
    m_ids.reserve(count);
    m_offers.reserve(count);
}

void NameList::addAll(std::span<const QString> names)
{
    offerAll(names);
}

void NameList::addAll(std::vector<QString>&& names)
{
    offerAll(std::span<QString>(names));
}

// The texts and their hashes are put in place on two threads at once: a long list's texts are
// spread over more memory than the caches hold, and this is where each is read. Then each is
// kept, or let go when an equal text was offered before.
template <typename Names>
void NameList::offerAll(Names names)
{
    const size_t first = m_names->size();
    m_names->resize(first + names.size());
    m_hashes->resize(first + names.size());
    // Names the list holds already are found there on both threads too, where comparing with
    // their entries' texts waits for memory: only the others are then inserted one by one.
    const bool lookUp = !m_ids.empty();
    std::vector<qint32> held(lookUp ? names.size() : 0, -1);
    inHalves(names.size(), [&](size_t begin, size_t end, int) {
        for (size_t i = begin; i < end; ++i) {
            QString& name = (*m_names)[first + i];
            if constexpr (std::is_const_v<typename Names::element_type>)
                name = names[i];
            else
                name = std::move(names[i]);
            const quint32 hash = textHash(name);
            (*m_hashes)[first + i] = hash;
            if (lookUp) {
                if (const auto id = m_ids.find(HashedText {name, hash}); id != m_ids.end())
                    held[i] = qint32(*id);
            }
        }
    });
    m_ids.reserve(first + names.size());
    size_t kept = first;
    for (size_t id = first; id < m_names->size(); ++id) {
        if (lookUp && held[id - first] >= 0) {
            m_offers.push_back(held[id - first]);
            continue;
        }
        if (kept != id) {
            (*m_names)[kept] = std::move((*m_names)[id]);
            (*m_hashes)[kept] = (*m_hashes)[id];
        }
        const auto [offered, added] = m_ids.insert(quint32(kept));
        m_offers.push_back(qint32(*offered));
        if (added)
            ++kept;
    }
    m_names->resize(kept);
    m_hashes->resize(kept);
}

int NameList::compare(const NameCollation& collation, const QString& x, const QString& y) const
{
    if (m_order == Order::Appearance && x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return collation.compare(x, y);
}

bool NameList::matches(const NameCollation& collation, qsizetype a, const QString& name) const
{
    return compare(collation, (*m_names)[size_t(a)], name) == 0;
}

void NameList::freeze()
{
    m_entryOf.assign(m_names->size(), -1);
    m_sorted.clear();
    m_haveSorted = false;
    m_hashed = settleByHash();
    if (!m_hashed)
        settleBySorting();
    m_removed.assign(m_names->size(), false);
    number();
}

// Groups the names by match hash, comparing each only with the entries that share its hash.
// False when a name has no hash, or when so many entries share one that comparing with each
// could cost more than a sort.
bool NameList::settleByHash()
{
    constexpr int kMostWithOneHash = 16;
    std::vector<quint32> hashes(m_names->size());
    bool unhashable[2] = {false, false};
    inHalves(hashes.size(), [&](size_t begin, size_t end, int half) {
        for (size_t id = begin; id < end && !unhashable[half]; ++id) {
            const std::optional<size_t> hash = m_collation.matchHash((*m_names)[id]);
            unhashable[half] = !hash;
            hashes[id] = quint32(hash.value_or(0));
        }
    });
    if (unhashable[0] || unhashable[1])
        return false;
    m_hashHeads.clear();
    m_hashHeads.reserve(m_names->size());
    m_sameHash.assign(m_names->size(), -1);
    for (size_t id = 0; id < m_names->size(); ++id) {
        const auto [head, added] = m_hashHeads.try_emplace(hashes[id], qint32(id));
        if (added) {
            m_entryOf[id] = qint32(id);
            continue;
        }
        const QString& name = (*m_names)[id];
        int compared = 0;
        qsizetype entry = head->second;
        for (; entry >= 0 && !matches(m_collation, entry, name); entry = m_sameHash[size_t(entry)])
            ++compared;
        if (entry >= 0) {
            m_entryOf[id] = qint32(entry);
        } else if (compared >= kMostWithOneHash) {
            return false;
        } else {
            m_sameHash[id] = head->second;
            head->second = qint32(id);
            m_entryOf[id] = qint32(id);
        }
    }
    return true;
}

void NameList::settleBySorting()
{
    std::vector<qsizetype> order(m_names->size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = qsizetype(i);
    sortIds(order);
    for (size_t k = 0; k < order.size(); ++k) {
        const qsizetype id = order[k];
        if (k == 0 || !matches(m_collation, m_sorted.back(), (*m_names)[size_t(id)]))
            m_sorted.push_back(id);
        m_entryOf[size_t(id)] = qint32(m_sorted.back());
    }
    m_haveSorted = true;
}

// Sorts indexes of names by (length and) collation; ties go to the earlier name, so each group
// of matching names starts with its first.
void NameList::sortIds(std::vector<qsizetype>& ids) const
{
    const auto before = [this](const NameCollation& collation) {
        return [this, &collation](qsizetype a, qsizetype b) {
            const int c = compare(collation, (*m_names)[size_t(a)], (*m_names)[size_t(b)]);
            return c != 0 ? c < 0 : a < b;
        };
    };
    // Collation is the costly part of a sort: a large one is done in two halves at once, each
    // with its own collator, and merged.
    const NameCollation helperCollation = m_collation.clone();
    inHalves(ids.size(), [&](size_t begin, size_t end, int half) {
        std::sort(ids.begin() + qsizetype(begin), ids.begin() + qsizetype(end),
                  before(half == 0 ? m_collation : helperCollation));
    });
    const auto middle = ids.begin() + qsizetype(ids.size() / 2);
    std::inplace_merge(ids.begin(), middle, ids.end(), before(m_collation));
}

// The entries in (length and) collation order, by which the sorted list is numbered and the
// entry of a name that was not offered and has no match hash is found by bisection. Lists
// settled by hash sort them only when they are needed.
const std::vector<qsizetype>& NameList::sortedEntries() const
{
    if (!m_haveSorted) {
        for (size_t id = 0; id < m_names->size(); ++id) {
            if (m_entryOf[id] == qsizetype(id))
                m_sorted.push_back(qsizetype(id));
        }
        sortIds(m_sorted);
        m_haveSorted = true;
    }
    return m_sorted;
}

void NameList::number()
{
    m_position.assign(m_names->size(), -1);
    qsizetype position = 0;
    if (m_order == Order::Collation) {
        for (const qsizetype id : sortedEntries()) {
            if (!m_removed[size_t(id)])
                m_position[size_t(id)] = qint32(position++);
        }
    } else {
        for (size_t id = 0; id < m_names->size(); ++id) {
            if (m_entryOf[id] == qsizetype(id) && !m_removed[id])
                m_position[id] = qint32(position++);
        }
    }
    m_size = position;
}

// The entry matching the name, or -1: offered texts are known; any other is looked for among
// the entries that share its match hash, or else by bisection over the sorted entries.
qsizetype NameList::findEntry(const QString& name) const
{
    if (const auto id = m_ids.find(hashed(name)); id != m_ids.end())
        return m_entryOf[*id];
    if (m_hashed) {
        if (const std::optional<size_t> hash = m_collation.matchHash(name)) {
            const auto head = m_hashHeads.find(quint32(*hash));
            qsizetype entry = head == m_hashHeads.end() ? -1 : head->second;
            while (entry >= 0 && !matches(m_collation, entry, name))
                entry = m_sameHash[size_t(entry)];
            return entry;
        }
    }
    const std::vector<qsizetype>& sorted = sortedEntries();
    const auto below = [this, &name](qsizetype id) {
        return compare(m_collation, (*m_names)[size_t(id)], name) < 0;
    };
    const auto it = std::partition_point(sorted.begin(), sorted.end(), below);
    return it != sorted.end() && matches(m_collation, *it, name) ? *it : -1;
}

qsizetype NameList::indexOf(const QString& name) const
{
    const qsizetype id = findEntry(name);
    return id < 0 ? -1 : m_position[size_t(id)];
}

std::optional<qsizetype> NameList::indexOfOffered(QStringView name) const
{
    const auto id = m_ids.find(hashed(name));
    if (id == m_ids.end())
        return std::nullopt;
    return m_position[size_t(m_entryOf[*id])];
}

std::vector<qint32> NameList::takeOfferPositions()
{
    return takePositions(false);
}

std::vector<qint32> NameList::takeOwnTextPositions()
{
    return takePositions(true);
}

// The positions are written over the indexes they replace, so that a long list does not hold both.
std::vector<qint32> NameList::takePositions(bool ownTextOnly)
{
    std::vector<qint32> positions = std::exchange(m_offers, {});
    for (qint32& position : positions) {
        const qsizetype entry = m_entryOf[size_t(position)];
        position = ownTextOnly && entry != position ? -1 : qint32(m_position[size_t(entry)]);
    }
    return positions;
}

void NameList::removeMatch(const QString& name)
{
    const qsizetype id = findEntry(name);
    if (id < 0 || m_removed[size_t(id)])
        return;
    m_removed[size_t(id)] = true;
    number();
}

// Ids of the entries, in list order.
std::vector<qsizetype> NameList::idsInOrder() const
{
    std::vector<qsizetype> byPosition(static_cast<size_t>(m_size));
    for (size_t id = 0; id < m_position.size(); ++id) {
        if (m_position[id] >= 0)
            byPosition[size_t(m_position[id])] = qsizetype(id);
    }
    return byPosition;
}

QStringList NameList::entries() const
{
    QStringList out;
    out.reserve(m_size);
    for (const qsizetype id : idsInOrder())
        out.append((*m_names)[size_t(id)]);
    return out;
}

QStringList NameList::takeEntries()
{
    m_ids = decltype(m_ids)(0, m_ids.hash_function(), m_ids.key_eq());
    m_offers = {};
    m_entryOf = {};
    m_hashHeads = {};
    m_sameHash = {};
    m_sorted = {};
    m_removed = {};
    const std::vector<qsizetype> ids = idsInOrder();
    m_position = {};
    // Moved, not copied: a copy would touch every name's text in memory once more.
    QStringList out;
    out.reserve(qsizetype(ids.size()));
    for (const qsizetype id : ids)
        out.append(std::move((*m_names)[size_t(id)]));
    *m_names = {};
    *m_hashes = {};
    m_size = 0;
    return out;
}

} // namespace urdiva
