// SPDX-License-Identifier: MIT
#pragma once

namespace urdiva {

// Starts fetching the memory at `address` into the caches; a hint, where the compiler has one.
inline void prefetch([[maybe_unused]] const void* address)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#endif
}

} // namespace urdiva
