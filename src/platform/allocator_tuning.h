#pragma once

#include <cstddef>

// How much freed memory the C library keeps before giving it back to the system, and from what
// size an allocation gets pages of its own. Mesa's software rasteriser makes and frees many
// blocks of a few hundred kilobytes per frame; with the library's defaults each frame shrinks
// and regrows the heap thousands of times (system calls and page faults), with these it reuses
// the memory it has.
struct AllocatorTuning {
    std::size_t keptFreeBytes = std::size_t{64} << 20;
    std::size_t ownPagesFromBytes = std::size_t{16} << 20;
};

// Applies the tuning for the whole process; call before any thread starts. False where the C
// library has no such settings (the defaults then stay).
bool tuneAllocator(const AllocatorTuning& tuning = {});
