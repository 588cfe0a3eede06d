// Services of the running process.
#pragma once

namespace tarvo {

// Gives memory freed by the heap back to the system, after large operations
// (a folder scan, starting or stopping an entry).
void TrimWorkingSet();

}  // namespace tarvo
