// What a station sends in its response: header lines (among them
// "icy-metaint:") and a body with interleaved ICY metadata blocks, whose
// texts go through the key parser for the StreamTitle. The first byte picks
// the size of the pieces the body arrives in.
#include <cstdlib>
#include <string>
#include <string_view>

#include "audio/icy_demuxer.h"
#include "radio/stream_keys.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = static_cast<std::size_t>(data[0]) + 1;
  std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  // Header lines up to a blank line, as a response has them.
  std::int64_t metaint = 0;
  while (!input.empty()) {
    const std::size_t end = input.find('\n');
    const std::string_view line = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    if (line.empty() || line == "\r") break;
    if (const std::optional<std::int64_t> value = tarvo::audio::IcyMetaintOf(line)) {
      if (*value < 0) abort();
      metaint = *value;
    }
  }
  tarvo::audio::IcyDemuxer demuxer(metaint);
  std::size_t audio = 0;
  std::size_t texts = 0;
  for (std::size_t at = 0; at < input.size(); at += piece) {
    demuxer.Feed(
        input.substr(at, piece), [&](std::string_view bytes) { audio += bytes.size(); },
        [&](std::string_view text) {
          // A block's length byte allows 255 × 16 bytes at most.
          if (text.empty() || text.size() > 4080) abort();
          texts += text.size();
          tarvo::TKeys keys;
          tarvo::ParseKeys(std::string(text) + ";", keys, "=", false, ";");
          tarvo::FindKey("StreamTitle", keys);
        });
  }
  if (audio + texts > input.size()) abort();
  if (metaint == 0 && audio != input.size()) abort();
  return 0;
}
