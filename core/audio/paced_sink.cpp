#include "audio/paced_sink.h"

#include <algorithm>
#include <cstring>

namespace tarvo::audio {

namespace {

using Clock = PacingClock::Clock;

std::size_t LatencyFrames(const PcmFormat& format, std::chrono::milliseconds latency) {
  return std::max<std::size_t>(1, static_cast<std::size_t>(format.rate * latency.count() / 1000));
}

}  // namespace

void PacingClock::Add(std::uint64_t bytes, Clock::time_point now) {
  if (!paused_ && Heard(now) >= added_) {
    anchorHeard_ = added_;
    anchorTime_ = now;
  }
  added_ += bytes;
}

std::uint64_t PacingClock::Heard(Clock::time_point now) const {
  if (paused_ || now <= anchorTime_) return std::min(anchorHeard_, added_);
  const auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(now - anchorTime_).count();
  const __int128 frames = static_cast<__int128>(elapsed) * (bytesPerSecond_ / frameBytes_) / 1000000000;
  const __int128 heard = anchorHeard_ + frames * frameBytes_;
  return heard < added_ ? static_cast<std::uint64_t>(heard) : added_;
}

Clock::time_point PacingClock::WhenHeard(std::uint64_t total) const {
  if (paused_) return Clock::time_point::max();
  if (total <= anchorHeard_) return anchorTime_;
  const __int128 frames = (total - anchorHeard_ + frameBytes_ - 1) / frameBytes_;
  const __int128 rate = bytesPerSecond_ / frameBytes_;
  const auto nanoseconds = static_cast<std::int64_t>((frames * 1000000000 + rate - 1) / rate);
  return anchorTime_ + std::chrono::nanoseconds(nanoseconds);
}

void PacingClock::Pause(Clock::time_point now) {
  if (paused_) return;
  anchorHeard_ = Heard(now);
  paused_ = true;
}

void PacingClock::Resume(Clock::time_point now) {
  if (!paused_) return;
  anchorTime_ = now;
  paused_ = false;
}

void PacingClock::Reset() {
  added_ = 0;
  anchorHeard_ = 0;
  anchorTime_ = {};
}

PacedSink::PacedSink(const PcmFormat& format, std::chrono::milliseconds latency, HeardBytes heard)
    : latencyBytes_(LatencyFrames(format, latency) * format.FrameBytes()),
      halfLatencyBytes_(LatencyFrames(format, latency) / 2 * format.FrameBytes()),
      heard_(std::move(heard)),
      clock_(format.BytesPerSecond(), format.FrameBytes()) {
  if (heard_) pending_.resize(latencyBytes_);
}

PacedSink::~PacedSink() {
  std::lock_guard lock(mutex_);
  DeliverHeard(Clock::now());
}

std::size_t PacedSink::Write(const std::uint8_t* data, std::size_t bytes,
                             const std::atomic<bool>& abandon, bool wait) {
  // Wait for room for at least half the latency (or the whole request when
  // it is smaller), so that the audio thread wakes twice per latency period
  // rather than for every frame that is heard.
  const std::size_t need = std::min(bytes, halfLatencyBytes_);
  std::unique_lock lock(mutex_);
  for (;;) {
    if (abandon.load()) return 0;
    const Clock::time_point now = Clock::now();
    DeliverHeard(now);
    const std::uint64_t queued = clock_.Added() - clock_.Heard(now);
    const std::size_t space = latencyBytes_ - static_cast<std::size_t>(queued);
    if (space >= need && space > 0) {
      const std::size_t take = std::min(bytes, space);
      if (heard_) {
        const std::size_t offset = static_cast<std::size_t>(clock_.Added() % latencyBytes_);
        const std::size_t first = std::min(take, latencyBytes_ - offset);
        std::memcpy(pending_.data() + offset, data, first);
        std::memcpy(pending_.data(), data + first, take - first);
      }
      clock_.Add(take, now);
      return take;
    }
    if (!wait) return 0;
    if (clock_.Paused()) {
      wake_.wait(lock);
    } else {
      wake_.wait_until(lock, clock_.WhenHeard(clock_.Added() - (latencyBytes_ - need)));
    }
  }
}

void PacedSink::Drain(const std::atomic<bool>& abandon) {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (abandon.load()) return;
    const Clock::time_point now = Clock::now();
    DeliverHeard(now);
    if (clock_.Heard(now) >= clock_.Added()) return;
    if (clock_.Paused()) {
      wake_.wait(lock);
    } else {
      wake_.wait_until(lock, clock_.WhenHeard(clock_.Added()));
    }
  }
}

void PacedSink::Interrupt() {
  std::lock_guard lock(mutex_);
  wake_.notify_all();
}

std::uint64_t PacedSink::QueuedBytes() {
  std::lock_guard lock(mutex_);
  const Clock::time_point now = Clock::now();
  DeliverHeard(now);
  return clock_.Added() - clock_.Heard(now);
}

void PacedSink::SetPaused(bool paused) {
  std::lock_guard lock(mutex_);
  const Clock::time_point now = Clock::now();
  DeliverHeard(now);
  if (paused) {
    clock_.Pause(now);
  } else {
    clock_.Resume(now);
  }
  wake_.notify_all();
}

void PacedSink::Flush() {
  std::lock_guard lock(mutex_);
  DeliverHeard(Clock::now());
  clock_.Reset();
  delivered_ = 0;
  wake_.notify_all();
}

void PacedSink::DeliverHeard(Clock::time_point now) {
  if (!heard_) return;
  const std::uint64_t heard = clock_.Heard(now);
  while (delivered_ < heard) {
    const std::size_t offset = static_cast<std::size_t>(delivered_ % latencyBytes_);
    const std::size_t count =
        static_cast<std::size_t>(std::min<std::uint64_t>(heard - delivered_, latencyBytes_ - offset));
    heard_(pending_.data() + offset, count);
    delivered_ += count;
  }
}

}  // namespace tarvo::audio
