// A decoding channel: a decoder read on demand by whoever holds the handle
// (the engine's stream procedure on the audio thread, probes on the window
// thread). Positions count bytes of 16-bit interleaved output.
//
// Any thread; calls are serialised by the channel's lock, which is never held
// while calling out of the channel.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "audio/audio_types.h"
#include "audio/decoder.h"

namespace tarvo::audio {

class DecoderChannel {
 public:
  explicit DecoderChannel(std::unique_ptr<Decoder> decoder);

  const PcmFormat& Format() const { return format_; }
  // Exact length in bytes; 0 when unknown.
  std::int64_t LengthBytes() const { return lengthBytes_; }
  bool EightBitSource() const { return eightBit_; }

  // Up to `bytes` (rounded down to whole frames) of the next samples; fewer
  // only at the end, 0 past it, -1 on a read error of the source.
  std::int64_t Read(void* buffer, std::uint32_t bytes);
  // Moves to `bytes` (rounded down to a whole frame), to the sample. Error
  // Position beyond the end, NotFile when the source can't seek.
  AudioError SetPosition(std::int64_t bytes);
  std::int64_t Position();
  // False once the data has been read to its end (or the source failed).
  bool Active();
  std::int64_t FilePosition(FilePositionMode mode);
  // The decoder's texts of `kind`; nothing when it has none.
  std::optional<std::string> Tags(TagKind kind);
  // Multiplies the samples of every later Read by `factor`, saturating.
  void SetGain(double factor);

 private:
  const PcmFormat format_;
  const std::int64_t lengthFrames_;  // -1 when unknown
  const std::int64_t lengthBytes_;
  const bool eightBit_;
  const bool live_;

  std::mutex mutex_;  // guards everything below
  std::unique_ptr<Decoder> decoder_;
  std::int64_t positionFrames_ = 0;
  bool ended_ = false;
  double gain_ = 1.0;
};

}  // namespace tarvo::audio
