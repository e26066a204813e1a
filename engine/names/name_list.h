// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/hash_map.h"
#include "engine/names/name_collation.h"

#include <QLocale>
#include <QStringList>

#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace urdiva {

// An ordered list of distinct names. Two names match when the collation ranks them equal and,
// in a list kept in order of appearance, they also have the same length. Names are offered with
// addAll() and the list is settled with freeze(): since matching is an equivalence, appending each
// name unless an entry matches it keeps, of every group of matching names, the one offered
// first, at the place where that group first appeared (or, in collation order, at its rank).
// Settling all names at once finds the groups without a scan per name: by the collation's match
// hash where it has one for every name, so that only names sharing a hash are compared, and
// otherwise in one sort.
class NameList {
public:
    enum class Order { Appearance, Collation };

    NameList(const QLocale& locale, Qt::CaseSensitivity caseSensitivity, Order order);

    // Room for `count` names in all, to be offered by addAll().
    void reserve(size_t count);
    void addAll(std::span<const QString> names);
    // The same for names the caller has no more use for.
    void addAll(std::vector<QString>&& names);
    void freeze();

    // After freeze(): the 0-based position of the entry that matches the name, or -1.
    qsizetype indexOf(const QString& name) const;
    // The same for a text that was offered, found by its text alone; nullopt for any other.
    // Unlike indexOf(), it may be called from several threads at once.
    std::optional<qsizetype> indexOfOffered(QStringView name) const;
    // After freeze(): for each name offered, in order of offer, the position of the entry that
    // matches it, as indexOfOffered() gives it, or -1 where none does. The list forgets the order
    // of offer: these are taken once.
    std::vector<qint32> takeOfferPositions();
    // The same, but -1 also where that entry's text is not the name's own (a different spelling
    // that matches it was offered first).
    std::vector<qint32> takeOwnTextPositions();
    // After freeze(): removes the entry that matches the name, if there is one.
    void removeMatch(const QString& name);
    qsizetype size() const { return m_size; }
    // After freeze(): the entries in list order.
    QStringList entries() const;
    // The same, taken from the list, which is left empty: its tables are let go first, so that
    // a long list and its entries are not held at once.
    QStringList takeEntries();

private:
    bool matches(const NameCollation& collation, qsizetype a, const QString& name) const;
    int compare(const NameCollation& collation, const QString& x, const QString& y) const;
    bool settleByHash();
    void settleBySorting();
    void sortIds(std::vector<qsizetype>& ids) const;
    const std::vector<qsizetype>& sortedEntries() const;
    qsizetype findEntry(const QString& name) const;
    void number();
    std::vector<qsizetype> idsInOrder() const;
    std::vector<qint32> takePositions(bool ownTextOnly);

    NameCollation m_collation;
    Order m_order;
    // The index of m_names keeps only their positions (4 bytes a name, where a view of the text
    // and a position took 24) and is searched by text. Each text's hash is kept beside it, so
    // that neither growing the index nor offering a text reads any other text from memory,
    // except one that has the same hash.
    static size_t spreadHash(quint32 hash) { return size_t(hash) * 0x9E3779B97F4A7C15ull; }
    static quint32 textHash(QStringView text) { return quint32(hashText(text)); }
    // A text whose hash is known.
    struct HashedText {
        QStringView text;
        quint32 hash;
    };
    static HashedText hashed(QStringView text) { return {text, textHash(text)}; }
    struct IdHash {
        using is_transparent = void;
        using is_avalanching = void;
        const std::vector<quint32>* hashes;
        size_t operator()(quint32 id) const { return spreadHash((*hashes)[id]); }
        size_t operator()(HashedText text) const { return spreadHash(text.hash); }
    };
    struct IdEqual {
        using is_transparent = void;
        const std::vector<QString>* names;
        const std::vector<quint32>* hashes;
        bool operator()(quint32 a, quint32 b) const
        {
            return (*hashes)[a] == (*hashes)[b] && (*names)[a] == (*names)[b];
        }
        bool operator()(HashedText text, quint32 id) const
        {
            return (*hashes)[id] == text.hash && text.text == (*names)[id];
        }
        bool operator()(quint32 id, HashedText text) const { return (*this)(text, id); }
    };
    template <typename Names>
    void offerAll(Names names);
    // Every distinct text, in order of first offer, and its hash; on the heap, where the index
    // can refer to them while the list is moved.
    std::unique_ptr<std::vector<QString>> m_names = std::make_unique<std::vector<QString>>();
    std::unique_ptr<std::vector<quint32>> m_hashes = std::make_unique<std::vector<quint32>>();
    HashSet<quint32, IdHash, IdEqual> m_ids; // positions in m_names
    std::vector<qint32> m_offers; // the index of each name offered, in order of offer
    std::vector<qint32> m_entryOf; // index -> index of the entry it matches
    // When settled by hash: match hash -> the last entry with it, and entry -> the one before.
    // The hash's low 32 bits are enough to group names (a name is compared with every entry of
    // its group), and keep the map at 8 bytes an entry.
    HashMap<quint32, qint32> m_hashHeads;
    std::vector<qint32> m_sameHash;
    bool m_hashed = false;
    // The entries, by (length and) collation; built when first needed.
    mutable std::vector<qsizetype> m_sorted;
    mutable bool m_haveSorted = false;
    std::vector<qint32> m_position; // index of an entry -> its position; -1 once removed
    std::vector<bool> m_removed;
    qsizetype m_size = 0;
};

} // namespace urdiva
