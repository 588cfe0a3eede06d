// The seam between output streams and whatever takes their sound: a sound
// server (PulseOutput), nothing at all (NullOutput) or a WAV file
// (WavOutput). An OutputDevice is the opened device; each output stream gets
// its own OutputSink on it.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "audio/audio_error.h"
#include "audio/decoder.h"

namespace tarvo::audio {

// One stream's connection to the device. Write and Drain run on the stream's
// audio thread only; the other methods may be called from any thread while
// they run, and the sink serialises them with its own lock.
class OutputSink {
 public:
  virtual ~OutputSink() = default;

  // Audio thread. Hands up to `bytes` (whole frames) to the device. With
  // `wait` it waits while the device is full; without, it takes only what
  // fits now. Returns the bytes taken: 0 when nothing fits (without `wait`),
  // when `abandon` became true while waiting, or when the device failed
  // (then Failed() is true).
  virtual std::size_t Write(const std::uint8_t* data, std::size_t bytes,
                            const std::atomic<bool>& abandon, bool wait) = 0;
  // Audio thread. Waits until everything written has been heard; returns
  // early when `abandon` becomes true or the device fails.
  virtual void Drain(const std::atomic<bool>& abandon) = 0;
  // Any thread. Wakes a waiting Write or Drain so that it looks at `abandon`
  // again. The caller sets `abandon` before calling this.
  virtual void Interrupt() = 0;

  // Any thread, does not block on the device. Bytes written and not heard yet.
  virtual std::uint64_t QueuedBytes() = 0;
  // Any thread. A paused sink keeps what it holds and consumes nothing.
  virtual void SetPaused(bool paused) = 0;
  // Any thread, while no Write or Drain runs. Drops what was not heard.
  virtual void Flush() = 0;
  // Any thread. The device went away (the server died); nothing more plays.
  virtual bool Failed() const = 0;
  // The most bytes the sink holds ahead of the listener.
  virtual std::size_t LatencyBytes() const = 0;
};

class OutputDevice {
 public:
  virtual ~OutputDevice() = default;

  // Any thread, does not block. Whether the device can play `format`.
  virtual bool Supports(const PcmFormat& format) const = 0;
  // Window thread; may wait for a server round trip. A sink playing
  // `format`; nothing and `error` set on failure.
  virtual std::unique_ptr<OutputSink> CreateSink(const PcmFormat& format, AudioError& error) = 0;
};

}  // namespace tarvo::audio
