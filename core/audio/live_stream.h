// The audio bytes of a station as they arrive: one HTTP response body
// (HttpStream) or the segments of an HLS playlist one after another
// (HlsStream). A NetworkSource reads one for a decoder; the LiveDecoder
// asks it for the station's texts and cancels it when done.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "audio/audio_error.h"

namespace tarvo::audio {

class LiveStream {
 public:
  virtual ~LiveStream() = default;

  // Decoding thread. Up to `bytes` bytes of audio; blocks while none are
  // there. 0 at the end of the data, -1 when the connection failed or was
  // cancelled.
  virtual std::int64_t Read(void* buffer, std::size_t bytes) = 0;
  // Any thread: ends the transfer; a blocked Read returns -1.
  virtual void Cancel() = 0;
  // Any thread. Audio bytes received so far.
  virtual std::int64_t ReceivedBytes() const = 0;
  // Any thread. Why the data ended: Ok while it runs or after a clean end,
  // Timeout after a stall.
  virtual AudioError EndError() const = 0;
  // Any thread. The response headers, status line first, each ended by a
  // NUL, the block by one more.
  virtual std::string Headers() const = 0;
  // Any thread. The latest metadata text ("StreamTitle='...';"); nothing
  // before the first.
  virtual std::optional<std::string> Metadata() const = 0;
};

}  // namespace tarvo::audio
