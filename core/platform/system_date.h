// Today's date from the system clock, for the program; the routines that
// count days take the date as a parameter so that tests can choose it.
#pragma once

#include <chrono>

namespace tarvo {

inline std::chrono::sys_days SystemToday() {
  return std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
}

}  // namespace tarvo
