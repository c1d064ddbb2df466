// What the benchmarks share: the platform's name for the figures and the heap bytes in use.
#pragma once

#include <cstdint>

#include "toolkit/platform/Win32.h"

#ifndef _WIN32
#include <malloc.h>
#endif

#ifdef _WIN32
// The 64-bit build's figures carry names of their own, beside the 32-bit ones.
#ifdef _WIN64
constexpr const char *Platform = "wine64";
#else
constexpr const char *Platform = "wine";
#endif

// Bytes in use in every heap of the process, with each block's overhead.
inline std::int64_t HeapInUse() {
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    std::int64_t total = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entry.cbData + entry.cbOverhead;
        HeapUnlock(heaps[i]);
    }
    return total;
}
#else
constexpr const char *Platform = "native";

// Bytes the C heap holds for the program; large blocks are mapped apart from its arena.
inline std::int64_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
}
#endif
