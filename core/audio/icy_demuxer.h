// Splits a response body with interleaved ICY metadata into the audio bytes
// and the metadata texts: after every `metaint` audio bytes comes one length
// byte L and L × 16 bytes of text ("StreamTitle='...';"), padded with NULs.
// The length byte caps a block at 4080 bytes, so nothing here grows without
// bound whatever the server sends.
//
// Network thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvo::audio {

// The interval an "icy-metaint:" response header (any case) announces: 0
// for a value that is no positive number; nothing for any other header.
std::optional<std::int64_t> IcyMetaintOf(std::string_view header);

class IcyDemuxer {
 public:
  // `metaint` 0: the body is all audio.
  explicit IcyDemuxer(std::int64_t metaint) : metaint_(metaint) {}

  // Feeds the next piece of the body. `audio` gets each run of audio bytes,
  // `metadata` each complete, non-empty metadata text (NUL padding removed).
  void Feed(std::string_view bytes, const std::function<void(std::string_view)>& audio,
            const std::function<void(std::string_view)>& metadata);

 private:
  enum class Phase { Audio, Length, Text };

  const std::int64_t metaint_;
  Phase phase_ = Phase::Audio;
  std::int64_t audioLeft_ = 0;  // audio bytes until the next length byte
  std::size_t textLeft_ = 0;
  std::string text_;
  bool started_ = false;
};

}  // namespace tarvo::audio
