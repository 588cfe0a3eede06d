// Huge pages for a worker thread that fills many megabytes of heap with
// small allocations (the playlist read ahead at start-up: 100,000 strings).
// On a virtual machine every first touch of a 4 KiB page is an expensive trap
// (about 10 microseconds on the machines we measure on); a 2 MiB transparent
// huge page takes one trap for 512 of them. Systems that only grant huge
// pages on request ("madvise" mode, the common default) need to be asked.
#pragma once

namespace tarvo {

// For the calling thread's own heap (its malloc arena), until the matching
// call below: the heap grows in steps large enough to hold whole huge pages,
// and the kernel is asked to back it with them. Without transparent huge
// pages, or on a heap laid out otherwise, this costs a few system calls and
// changes nothing.
void BeginHugePageHeap();

// Back to the normal growth steps, so that memory freed later goes back to
// the system as before.
void EndHugePageHeap();

}  // namespace tarvo
