// Volume and pan of an output stream: their values over time while they
// slide, and applying them to 16-bit samples.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace tarvo::audio {

// A value that moves linearly from one level to another over a duration.
class SlidingValue {
 public:
  using Clock = std::chrono::steady_clock;

  explicit SlidingValue(double value) : from_(value), to_(value) {}

  double At(Clock::time_point now) const;
  // Jumps to `value`; a running slide ends.
  void Set(double value);
  // Slides from the present value to `target` over `duration`.
  void SlideTo(double target, std::chrono::milliseconds duration, Clock::time_point now);

 private:
  double from_;
  double to_;
  Clock::time_point start_{};
  Clock::duration duration_{};
};

// Left and right gains from a volume (0..1) and a pan (-1 left .. 1 right):
// panning attenuates the far side only, so a centred pan is unity.
struct StereoGain {
  double left = 1.0;
  double right = 1.0;

  static StereoGain From(double volume, double pan);
  bool IsUnity() const { return left == 1.0 && right == 1.0; }
};

// Copies `frames` frames of `channels` interleaved samples from `in` to `out`,
// scaled by a gain moving linearly from `start` to `end` across the block (a
// mono stream uses the left gain).
void ApplyGain(const std::int16_t* in, std::int16_t* out, std::size_t frames, int channels,
               StereoGain start, StereoGain end);

}  // namespace tarvo::audio
