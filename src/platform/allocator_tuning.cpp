#include "platform/allocator_tuning.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

bool tuneAllocator(const AllocatorTuning& tuning) {
#if defined(__GLIBC__)
    // Setting either threshold also stops glibc from moving them by itself.
    return mallopt(M_TRIM_THRESHOLD, static_cast<int>(tuning.keptFreeBytes)) == 1 &&
           mallopt(M_MMAP_THRESHOLD, static_cast<int>(tuning.ownPagesFromBytes)) == 1;
#else
    (void)tuning;
    return false;
#endif
}
