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
constexpr std::uintptr_t kHugePageSize = std::uintptr_t{2} << 20;
// Growth step of the heap while huge pages are wanted: a step covers whole
// 2 MiB pages, which the kernel only uses where the writable part of the heap
// spans one completely.
constexpr int kLargeTopPad = 32 << 20;
// glibc's default step.
constexpr int kNormalTopPad = 128 << 10;

}  // namespace

HugePageHeapScope::HugePageHeapScope() {
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
  // The heap's own bookkeeping was written before the advice, so its first
  // huge page is made of 4 KiB pages and would take a trap for each. Holding
  // the rest of it, untouched, makes what follows land in huge pages.
  const std::uintptr_t firstPageEnd = (address & ~(kHugePageSize - 1)) + kHugePageSize;
  skippedRest_ = std::malloc(firstPageEnd - address);
}

HugePageHeapScope::~HugePageHeapScope() {
  std::free(skippedRest_);
  mallopt(M_TOP_PAD, kNormalTopPad);
}

}  // namespace tarvo
