// A sink that stands in for a sound card: it takes bytes into a small queue
// and lets them be heard at the stream's byte rate by the steady clock. The
// null output and the real-time WAV output are built on it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include "audio/output_device.h"

namespace tarvo::audio {

// Bytes heard over time at a fixed rate. Plain arithmetic; its owner locks.
class PacingClock {
 public:
  using Clock = std::chrono::steady_clock;

  PacingClock(std::int64_t bytesPerSecond, int frameBytes)
      : bytesPerSecond_(bytesPerSecond), frameBytes_(frameBytes) {}

  // Queues `bytes` more. When everything before was already heard (the card
  // ran dry) the new bytes start playing now, not in the past.
  void Add(std::uint64_t bytes, Clock::time_point now);
  // Bytes heard since the last Reset, whole frames, never more than added.
  std::uint64_t Heard(Clock::time_point now) const;
  std::uint64_t Added() const { return added_; }
  // When `total` bytes will have been heard (for a paused clock: never).
  Clock::time_point WhenHeard(std::uint64_t total) const;
  void Pause(Clock::time_point now);
  void Resume(Clock::time_point now);
  bool Paused() const { return paused_; }
  // Forgets everything queued; the pause state stays.
  void Reset();

 private:
  std::int64_t bytesPerSecond_;
  int frameBytes_;
  std::uint64_t added_ = 0;
  // Heard bytes at `anchorTime_`; while paused, the frozen count.
  std::uint64_t anchorHeard_ = 0;
  Clock::time_point anchorTime_{};
  bool paused_ = false;
};

class PacedSink final : public OutputSink {
 public:
  // Receives the bytes in the order they are heard, with the sink's lock
  // held; runs on whichever thread observed the clock passing them.
  using HeardBytes = std::function<void(const std::uint8_t* data, std::size_t bytes)>;

  // `latency` is how far ahead of the listener the sink takes bytes. With
  // `heard` set, the bytes are kept until heard and then handed to it.
  PacedSink(const PcmFormat& format, std::chrono::milliseconds latency, HeardBytes heard = {});
  ~PacedSink() override;

  std::size_t Write(const std::uint8_t* data, std::size_t bytes, const std::atomic<bool>& abandon,
                    bool wait) override;
  void Drain(const std::atomic<bool>& abandon) override;
  void Interrupt() override;
  std::uint64_t QueuedBytes() override;
  void SetPaused(bool paused) override;
  void Flush() override;
  bool Failed() const override { return false; }
  std::size_t LatencyBytes() const override { return latencyBytes_; }

 private:
  // Hands every byte heard by `now` to `heard_`. Caller holds `mutex_`.
  void DeliverHeard(PacingClock::Clock::time_point now);

  const std::size_t latencyBytes_;
  const std::size_t halfLatencyBytes_;
  const HeardBytes heard_;

  std::mutex mutex_;  // guards everything below
  std::condition_variable wake_;
  PacingClock clock_;
  // Bytes taken and not yet handed to `heard_`, as a ring of latencyBytes_;
  // empty when nobody listens. Allocated once in the constructor.
  std::vector<std::uint8_t> pending_;
  std::uint64_t delivered_ = 0;
};

}  // namespace tarvo::audio
