// One decoder on arbitrary bytes held in memory: open, read to the end (or
// a bounded number of frames), seek into the middle and read again.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "audio/byte_source.h"
#include "audio/decoder.h"

namespace tarvo::fuzz {

class MemorySource final : public audio::ByteSource {
 public:
  MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::int64_t Read(void* buffer, std::size_t bytes) override {
    const std::size_t count = std::min(bytes, size_ - position_);
    if (count > 0) std::memcpy(buffer, data_ + position_, count);
    position_ += count;
    return static_cast<std::int64_t>(count);
  }
  bool SeekTo(std::int64_t offset) override {
    if (offset < 0 || static_cast<std::uint64_t>(offset) > size_) return false;
    position_ = static_cast<std::size_t>(offset);
    return true;
  }
  bool CanSeek() const override { return true; }
  std::int64_t Position() const override { return static_cast<std::int64_t>(position_); }
  std::int64_t Size() const override { return static_cast<std::int64_t>(size_); }
  std::int64_t ReceivedBytes() const override { return Size(); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

// Enough for any honest input of the sizes the fuzzer makes; a forged
// length cannot keep one run going for long.
inline constexpr std::int64_t kMaxFramesRead = 1 << 20;

inline void ReadSome(audio::Decoder& decoder, std::int64_t limit) {
  const int channels = std::max(decoder.Format().channels, 1);
  std::vector<std::int16_t> samples(4096 * static_cast<std::size_t>(channels));
  for (std::int64_t done = 0; done < limit;) {
    const std::int64_t got = decoder.Read(samples.data(), 4096);
    if (got <= 0) return;
    done += got;
  }
}

template <typename DecoderType>
int FuzzDecoder(const std::uint8_t* data, std::size_t size) {
  audio::AudioError error = audio::AudioError::Ok;
  std::unique_ptr<audio::Decoder> decoder = DecoderType::Open(std::make_unique<MemorySource>(data, size), error);
  if (!decoder) return 0;
  // The format checks that OpenDecoder adds before anything is read.
  const audio::PcmFormat format = decoder->Format();
  if (format.channels < 1 || format.channels > audio::kMaxChannels) return 0;
  ReadSome(*decoder, kMaxFramesRead);
  const std::int64_t length = decoder->LengthFrames();
  if (length > 0 && decoder->SeekToFrame(length / 2)) ReadSome(*decoder, kMaxFramesRead / 4);
  decoder->SeekToFrame(0);
  ReadSome(*decoder, 4096);
  return 0;
}

}  // namespace tarvo::fuzz
