// A fixed ring of bytes between a thread that puts (the network) and one that
// takes (the decoder). Not thread-safe: its owner guards it with its mutex
// and does the waiting for room or data.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tarvo::audio {

// What a network stream holds ahead of its decoder: about 15 seconds of a
// 128 kbit/s station.
inline constexpr std::size_t kStreamRingBytes = 256 * 1024;

class ByteRing {
 public:
  explicit ByteRing(std::size_t capacity) : bytes_(capacity) {}

  std::size_t Fill() const { return static_cast<std::size_t>(written_ - read_); }
  bool Full() const { return Fill() == bytes_.size(); }
  // Bytes put in since the start.
  std::uint64_t Written() const { return written_; }

  // Copies in as much of `data` as there is room for; returns that count.
  std::size_t Put(const char* data, std::size_t count) {
    count = std::min(count, bytes_.size() - Fill());
    const std::size_t offset = static_cast<std::size_t>(written_ % bytes_.size());
    const std::size_t first = std::min(count, bytes_.size() - offset);
    std::memcpy(bytes_.data() + offset, data, first);
    std::memcpy(bytes_.data(), data + first, count - first);
    written_ += count;
    return count;
  }

  // Copies out up to `count` bytes; returns the count copied.
  std::size_t Take(void* buffer, std::size_t count) {
    count = std::min(count, Fill());
    const std::size_t offset = static_cast<std::size_t>(read_ % bytes_.size());
    const std::size_t first = std::min(count, bytes_.size() - offset);
    std::memcpy(buffer, bytes_.data() + offset, first);
    std::memcpy(static_cast<char*>(buffer) + first, bytes_.data(), count - first);
    read_ += count;
    return count;
  }

 private:
  std::vector<char> bytes_;
  std::uint64_t written_ = 0;
  std::uint64_t read_ = 0;
};

}  // namespace tarvo::audio
