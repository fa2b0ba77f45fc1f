#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

#include "app/Heap.h"

// Start-up composes the window's parts in bitmaps of up to a megabyte, many
// of them made and dropped again. By default glibc maps each large block
// afresh and hands freed memory back, so each one is page-faulted in anew,
// four kilobytes at a time; on virtual machines those faults were most of
// the time to the first frame. Large blocks come from the heap instead, the
// heap keeps what it has, and its first stretch asks for transparent huge
// pages (the kernel gives them only where they are to be had).
void PrepareHeap() {
  constexpr size_t kStretch = size_t(32) << 20;
  constexpr uintptr_t kHugePage = uintptr_t(2) << 20;
  mallopt(M_MMAP_THRESHOLD, int(kStretch) * 2);
  mallopt(M_TRIM_THRESHOLD, int(kStretch) * 4);
  void* stretch = std::malloc(kStretch);
  if (!stretch) return;
  const uintptr_t begin = (uintptr_t(stretch) + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t end = (uintptr_t(stretch) + kStretch) & ~(kHugePage - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
  std::free(stretch);
}
