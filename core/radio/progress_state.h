// The seek bar and the time display of the playing entry, owned by the window
// thread.
#pragma once

#include <algorithm>
#include <cstdint>

namespace tarvo {

struct ProgressState {
  // The seek bar: Max is the entry's length, Position the elapsed time, in ms.
  std::int64_t max = 0;
  std::int64_t position = 0;
  // Set while the user drags the seek bar or holds a seek key: the status
  // tick then leaves the bar and the time text alone.
  bool seekPending = false;
  // Entries of at most 9999 ms show hundredths and tick every 10 ms.
  bool showHundredths = false;
  int tickPeriodMs = 33;

  // Like the control: a position outside 0..max is clamped.
  void SetPosition(std::int64_t value) { position = std::clamp<std::int64_t>(value, 0, std::max<std::int64_t>(max, 0)); }
};

}  // namespace tarvo
