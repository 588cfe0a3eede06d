#include "audio/network_source.h"

#include <algorithm>
#include <cstring>

namespace tarvo::audio {

namespace {

// Enough for any format's first look at the data.
constexpr std::size_t kHeadBytes = 64 * 1024;

}  // namespace

std::int64_t NetworkSource::Read(void* buffer, std::size_t bytes) {
  const std::int64_t position = position_.load(std::memory_order_relaxed);
  auto* out = static_cast<char*>(buffer);
  std::size_t copied = 0;
  if (position < static_cast<std::int64_t>(head_.size())) {
    copied = std::min(bytes, head_.size() - static_cast<std::size_t>(position));
    std::memcpy(out, head_.data() + position, copied);
  }
  if (copied == 0 && bytes > 0) {
    const std::int64_t got = stream_->Read(out, bytes);
    if (got < 0) return -1;
    if (keepingHead_) {
      if (head_.size() + static_cast<std::size_t>(got) <= kHeadBytes) {
        head_.append(out, static_cast<std::size_t>(got));
      } else {
        keepingHead_ = false;
        head_.clear();
        head_.shrink_to_fit();
      }
    }
    copied = static_cast<std::size_t>(got);
  }
  position_.store(position + static_cast<std::int64_t>(copied), std::memory_order_relaxed);
  return static_cast<std::int64_t>(copied);
}

bool NetworkSource::SeekTo(std::int64_t offset) {
  const std::int64_t position = position_.load(std::memory_order_relaxed);
  if (offset == position) return true;
  if (!keepingHead_ || offset < 0 || offset > static_cast<std::int64_t>(head_.size())) return false;
  position_.store(offset, std::memory_order_relaxed);
  return true;
}

}  // namespace tarvo::audio
