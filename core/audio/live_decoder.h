// A decoder on an internet stream, decoded ahead on a decoding thread of its
// own into a small sample buffer. Read never waits for the network: it gives
// what is decoded, so an output that runs dry stalls instead of blocking its
// audio thread. The stream's texts (headers, ICY metadata, Vorbis comments of
// the current chain) can be asked for on any thread.
//
// Threads: Read on the channel's caller (the audio thread); the decoding
// thread reads the inner decoder, which blocks on the network source.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/decoder.h"
#include "audio/live_stream.h"

namespace tarvo::audio {

class LiveDecoder final : public Decoder {
 public:
  // `inner` reads from a source over `stream`.
  LiveDecoder(std::unique_ptr<Decoder> inner, std::shared_ptr<LiveStream> stream);
  // Cancels the connection and ends the decoding thread.
  ~LiveDecoder() override;
  LiveDecoder(const LiveDecoder&) = delete;
  LiveDecoder& operator=(const LiveDecoder&) = delete;

  PcmFormat Format() const override { return format_; }
  std::int64_t LengthFrames() const override { return -1; }
  std::int64_t Read(std::int16_t* samples, std::int64_t frames) override;
  bool SeekToFrame(std::int64_t) override { return false; }
  const ByteSource& Source() const override { return inner_->Source(); }
  bool IsLive() const override { return true; }
  bool Ended() const override;
  std::optional<std::string> Tags(TagKind kind) const override;

 private:
  void Run();

  const PcmFormat format_;
  const std::shared_ptr<LiveStream> stream_;
  // Owned by the decoding thread once it runs.
  std::unique_ptr<Decoder> inner_;
  std::thread thread_;

  mutable std::mutex mutex_;  // guards everything below
  std::condition_variable changed_;
  std::vector<std::int16_t> ring_;  // decoded samples
  std::uint64_t written_ = 0;       // samples put in
  std::uint64_t read_ = 0;          // samples taken out
  bool innerEnded_ = false;
  bool stopping_ = false;
  std::optional<std::string> comments_;
};

}  // namespace tarvo::audio
