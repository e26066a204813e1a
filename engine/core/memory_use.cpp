// SPDX-License-Identifier: MIT
// Compiled into each program that allocates through jemalloc (Linux builds; see
// engine/CMakeLists.txt), not into the engine library: jemalloc reads its settings from this
// variable when the program starts.
//
// A run over millions of names fills hundreds of megabytes of tables and texts that are new
// memory, and on virtual machines each 4 KiB page's first touch is a costly fault: with the
// allocator's memory in 2 MiB transparent huge pages, 10,000,000 records took 4.4 s instead of
// 5.9 s with glibc's allocator (median of 6 alternating runs, 2-core AMD EPYC VM, 2026-12-10),
// at about the same peak (430 MB). Where the system gives no huge pages, this changes nothing;
// jemalloc without them was slower than glibc here.
//
// One arena for all threads: a run's helper threads are short-lived (one for each stage that
// shares its work), and each took an arena of its own, which started on huge pages of its own.
// With one, 100,000 records took 0.066 s instead of 0.083 s and 1,000,000 records 0.363 s
// instead of 0.368 s (medians of 16 alternating runs, same machine and day), at the same peaks.
extern "C" {
const char* malloc_conf = "thp:always,narenas:1";
}
