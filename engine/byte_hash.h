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
    const auto load64 = [](const unsigned char* p) {
        quint64 word;
        std::memcpy(&word, p, 8);
        return word;
    };
    const auto load32 = [](const unsigned char* p) {
        quint32 word;
        std::memcpy(&word, p, 4);
        return quint64(word);
    };
    quint64 hash = seed ^ (size * kMultiplier);
    // The last bytes are read as one word that may overlap words read before: no copy of a
    // variable length, which would be a call.
    quint64 last = 0;
    if (size >= 8) {
        const unsigned char* end = bytes + size;
        for (; end - bytes > 8; bytes += 8) {
            hash = (hash ^ load64(bytes)) * kMultiplier;
            hash ^= hash >> 29;
        }
        last = load64(end - 8);
    } else if (size >= 4) {
        last = load32(bytes) << 32 | load32(bytes + size - 4);
    } else if (size > 0) {
        last = quint64(bytes[0]) << 16 | quint64(bytes[size / 2]) << 8 | bytes[size - 1];
    }
    hash = (hash ^ last) * kMultiplier;
    hash ^= hash >> 32;
    hash *= 0xD6E8FEB86659FD93ull;
    hash ^= hash >> 32;
    return hash;
}

} // namespace urdiva
