#include "text/heap_tuning.h"

#include <cstdlib>  // defines __GLIBC__ on glibc systems

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vellumine {

void KeepLargeTextsInHeap() {

#if defined(__GLIBC__)
  // 32 MiB is the largest block glibc lets come from the heap rather than its own mapping; freed
  // memory above 64 MiB at the top of the heap still goes back to the system.
  constexpr int kLargestHeapBlock = 32 * 1024 * 1024;
  constexpr int kKeptFreeMemory = 64 * 1024 * 1024;
  mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
  mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
#endif
}

}  // namespace vellumine
