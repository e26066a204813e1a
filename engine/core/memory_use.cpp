// SPDX-License-Identifier: MIT
#include "engine/core/memory_use.h"

#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace urdiva {

void returnLargeBlocksWhenFreed()
{
#ifdef __GLIBC__
    // glibc's own starting value, kept: blocks of 128 KiB or more are mapped one by one.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

} // namespace urdiva
