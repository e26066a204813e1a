// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QHashFunctions>
#include <QStringView>

#include <boost/unordered/unordered_flat_map.hpp>
#include <boost/unordered/unordered_flat_set.hpp>

#include <functional>

namespace urdiva {

// The one hash map of the engine: Boost's open-addressing flat map.
template <typename Key, typename Value, typename Hash = boost::hash<Key>,
          typename Equal = std::equal_to<Key>>
using HashMap = boost::unordered_flat_map<Key, Value, Hash, Equal>;
// Its set, for keys that are found by something else (an index by the text it stands for).
template <typename Key, typename Hash = boost::hash<Key>, typename Equal = std::equal_to<Key>>
using HashSet = boost::unordered_flat_set<Key, Hash, Equal>;

// Qt's string hash (AES-based where the processor has it, SipHash elsewhere), seeded once per
// process, for the engine's keys.
inline size_t hashBytes(QByteArrayView bytes, size_t seed = 0)
{
    return qHash(bytes, seed ^ QHashSeed::globalSeed());
}
// The hash of a field's key (its bytes, or its UTF-16 code units when `keyIsText`), which the
// field memo takes with the key.
inline size_t keyHash(QByteArrayView key, bool keyIsText)
{
    return hashBytes(key, keyIsText ? 1 : 0);
}
inline size_t hashText(QStringView text, size_t seed = 0)
{
    return qHash(text, seed ^ QHashSeed::globalSeed());
}
// The hash of a map keyed by texts.
struct TextHash {
    size_t operator()(QStringView text) const { return hashText(text); }
};

} // namespace urdiva
