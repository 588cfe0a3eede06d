#include "audio/gain.h"

#include <algorithm>
#include <cmath>

namespace tarvo::audio {

double SlidingValue::At(Clock::time_point now) const {
  if (duration_ <= Clock::duration::zero() || now >= start_ + duration_) return to_;
  if (now <= start_) return from_;
  const double done = std::chrono::duration<double>(now - start_) / std::chrono::duration<double>(duration_);
  return from_ + (to_ - from_) * done;
}

void SlidingValue::Set(double value) {
  from_ = value;
  to_ = value;
  duration_ = Clock::duration::zero();
}

void SlidingValue::SlideTo(double target, std::chrono::milliseconds duration, Clock::time_point now) {
  from_ = At(now);
  to_ = target;
  start_ = now;
  duration_ = duration;
}

StereoGain StereoGain::From(double volume, double pan) {
  volume = std::clamp(volume, 0.0, 1.0);
  pan = std::clamp(pan, -1.0, 1.0);
  return {volume * std::min(1.0, 1.0 - pan), volume * std::min(1.0, 1.0 + pan)};
}

void ApplyGain(const std::int16_t* in, std::int16_t* out, std::size_t frames, int channels,
               StereoGain start, StereoGain end) {
  // Gains in 1/65536 steps; with gains of at most one no sample can clip.
  constexpr double kOne = 65536.0;
  const double steps = frames > 1 ? static_cast<double>(frames - 1) : 1.0;
  const double leftStep = (end.left - start.left) / steps;
  const double rightStep = (end.right - start.right) / steps;
  for (std::size_t frame = 0; frame < frames; ++frame) {
    const auto left = static_cast<std::int64_t>(std::lround((start.left + leftStep * frame) * kOne));
    out[0] = static_cast<std::int16_t>((in[0] * left) >> 16);
    if (channels == 2) {
      const auto right = static_cast<std::int64_t>(std::lround((start.right + rightStep * frame) * kOne));
      out[1] = static_cast<std::int16_t>((in[1] * right) >> 16);
    }
    in += channels;
    out += channels;
  }
}

}  // namespace tarvo::audio
