#pragma once

#include <QtGlobal>

#include <cstring>

namespace urdiva {

// A quick 64-bit hash of a short byte string, for the run's own hash tables: eight bytes per
// multiplication and a final mix, so that the upper and lower bits both spread well. Not meant
// to resist crafted collisions, which could only slow a run on the user's own file.
inline quint64 hashBytes(const void* data, size_t size, quint64 seed)
{
    constexpr quint64 kMultiplier = 0x9E3779B97F4A7C15ull;
    const auto* bytes = static_cast<const unsigned char*>(data);
    quint64 hash = seed ^ (size * kMultiplier);
    for (; size >= 8; size -= 8, bytes += 8) {
        quint64 word;
        std::memcpy(&word, bytes, 8);
        hash = (hash ^ word) * kMultiplier;
        hash ^= hash >> 29;
    }
    if (size > 0) {
        quint64 word = 0;
        std::memcpy(&word, bytes, size);
        hash = (hash ^ word) * kMultiplier;
    }
    hash ^= hash >> 32;
    hash *= 0xD6E8FEB86659FD93ull;
    hash ^= hash >> 32;
    return hash;
}

} // namespace urdiva
