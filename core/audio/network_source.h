// A station's bytes (an HTTP body, or HLS segments) as a decoder's byte source. It can't seek, except
// back over the first bytes, which it keeps so that telling the format by
// the first bytes and starting again from 0 works as on a file.
//
// Read runs on the decoding thread and blocks while no bytes are there;
// Position and ReceivedBytes may be asked from any thread.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "audio/byte_source.h"
#include "audio/http_stream.h"
#include "audio/live_stream.h"

namespace tarvo::audio {

class NetworkSource final : public ByteSource {
 public:
  // `first`: bytes already taken from the stream (to tell what it is),
  // which are read again before the rest.
  explicit NetworkSource(std::shared_ptr<LiveStream> stream, std::string first = {})
      : stream_(std::move(stream)), head_(std::move(first)) {}

  std::int64_t Read(void* buffer, std::size_t bytes) override;
  bool SeekTo(std::int64_t offset) override;
  bool CanSeek() const override { return false; }
  std::int64_t Position() const override { return position_.load(std::memory_order_relaxed); }
  std::int64_t Size() const override { return -1; }
  std::int64_t ReceivedBytes() const override { return stream_->ReceivedBytes(); }
  std::int64_t RefillBytes() const override { return HttpStream::RefillBytes(); }

 private:
  const std::shared_ptr<LiveStream> stream_;
  // The first bytes received, while reading is still within them.
  std::string head_;
  bool keepingHead_ = true;
  std::atomic<std::int64_t> position_{0};
};

}  // namespace tarvo::audio
