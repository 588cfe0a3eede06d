// Huge pages for a worker thread that fills many megabytes of heap with
// small allocations (the playlist read ahead at start-up: 100,000 strings).
// On a virtual machine every first touch of a 4 KiB page is an expensive trap
// (about 10 microseconds on the machines we measure on); a 2 MiB transparent
// huge page takes one trap for 512 of them. Systems that only grant huge
// pages on request ("madvise" mode, the common default) need to be asked.
#pragma once

namespace tarvo {

// While it lives, the calling thread's own heap (its malloc arena) grows in
// steps large enough to hold whole huge pages, the kernel is asked to back it
// with them, and new allocations start past the heap's first huge page, which
// already holds 4 KiB pages. Without transparent huge pages, or on a heap laid
// out otherwise, this costs a few system calls and changes nothing. When it
// ends the heap grows in normal steps again, so that memory freed later goes
// back to the system as before.
class HugePageHeapScope {
 public:
  HugePageHeapScope();
  ~HugePageHeapScope();
  HugePageHeapScope(const HugePageHeapScope&) = delete;
  HugePageHeapScope& operator=(const HugePageHeapScope&) = delete;

 private:
  // The untouched rest of the heap's first huge page, held while the scope
  // lasts.
  void* skippedRest_ = nullptr;
};

}  // namespace tarvo
