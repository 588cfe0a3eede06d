// The numbers and the loudness measure shared by the two halves of a
// gapless join: the window thread's lead-in skip and the audio thread's tail
// cut.
#pragma once

#include <cstdint>
#include <cstdlib>

namespace tarvo {

// Entries of this length or shorter never join; only longer ones are cut.
inline constexpr double kShortestJoinSeconds = 3.0;
// Samples at or below this are left out of the loudness average.
inline constexpr int kQuietSample = 20;

// The average of the absolute values above kQuietSample; 0 when there are
// none. Integer division, as the cut and skip rules are defined on it.
inline std::int64_t AverageLoudness(const std::int16_t* samples, std::int64_t begin, std::int64_t end) {
  std::int64_t sum = 0;
  std::int64_t loud = 0;
  for (std::int64_t i = begin; i < end; ++i) {
    const int value = std::abs(samples[i]);
    if (value > kQuietSample) {
      sum += value;
      ++loud;
    }
  }
  return loud ? sum / loud : 0;
}

}  // namespace tarvo
