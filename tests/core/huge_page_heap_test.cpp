#include "platform/huge_page_heap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace tarvo {
namespace {

// glibc's per-thread heaps are mappings of this size, aligned to it.
constexpr std::uintptr_t kThreadHeapSpan = std::uintptr_t{64} << 20;

// The "VmFlags" line of the mapping that holds `address`; "hg" in it means
// huge pages were asked for.
std::string MappingFlagsAt(const void* address) {
  const auto wanted = reinterpret_cast<std::uintptr_t>(address);
  std::ifstream maps("/proc/self/smaps");
  std::string line;
  bool inside = false;
  while (std::getline(maps, line)) {
    std::uintptr_t start = 0;
    std::uintptr_t end = 0;
    char dash = 0;
    std::istringstream range(line);
    if (range >> std::hex >> start >> dash >> end && dash == '-') {
      inside = wanted >= start && wanted < end;
    } else if (inside && line.rfind("VmFlags:", 0) == 0) {
      return line;
    }
  }
  return "(no mapping)";
}

TEST(HugePageHeap, AsksForHugePagesForTheCallingWorkersHeapOnly) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer's allocator replaces glibc's per-thread heaps";
#endif
  std::string workerFlags;
  std::uintptr_t workerBlock = 0;
  std::thread worker([&] {
    const HugePageHeapScope hugePages;
    void* block = std::malloc(1000);
    workerFlags = MappingFlagsAt(block);
    workerBlock = reinterpret_cast<std::uintptr_t>(block);
    std::free(block);
  });
  worker.join();
  EXPECT_NE(workerFlags.find(" hg"), std::string::npos) << workerFlags;
  // The heap's first 2 MiB were touched in 4 KiB pages before the advice;
  // what the worker allocates lies beyond them.
  EXPECT_GE(workerBlock % kThreadHeapSpan, std::uintptr_t{2} << 20);

  // The main thread's heap is left as it is.
  std::string mainFlags;
  {
    const HugePageHeapScope hugePages;
    void* block = std::malloc(1000);
    mainFlags = MappingFlagsAt(block);
    std::free(block);
  }
  EXPECT_EQ(mainFlags.find(" hg"), std::string::npos) << mainFlags;
}

}  // namespace
}  // namespace tarvo
