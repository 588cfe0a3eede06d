#include "platform/huge_page_heap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace tarvo {

namespace {

// glibc gives each further thread an arena whose heap is one mapping of this
// size, aligned to it (twice the largest mmap threshold on 64-bit systems).
constexpr std::uintptr_t kThreadHeapSpan = std::uintptr_t{64} << 20;
// Growth step of the heap while huge pages are wanted: a step covers whole
// 2 MiB pages, which the kernel only uses where the writable part of the heap
// spans one completely.
constexpr int kLargeTopPad = 32 << 20;
// glibc's default step.
constexpr int kNormalTopPad = 128 << 10;

}  // namespace

void BeginHugePageHeap() {
  mallopt(M_TOP_PAD, kLargeTopPad);
  void* probe = std::malloc(1);
  const auto address = reinterpret_cast<std::uintptr_t>(probe);
  // The main thread's heap lies below the program break; it is not ours to
  // advise.
  const bool threadHeap = address > reinterpret_cast<std::uintptr_t>(sbrk(0));
  std::free(probe);
  if (!threadHeap) return;
  // A hint: ranges of the span that are not mapped are skipped.
  madvise(reinterpret_cast<void*>(address & ~(kThreadHeapSpan - 1)), kThreadHeapSpan, MADV_HUGEPAGE);
}

void EndHugePageHeap() { mallopt(M_TOP_PAD, kNormalTopPad); }

}  // namespace tarvo
