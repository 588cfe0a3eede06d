// What an HLS station sends: a master or media playlist, parsed against an
// address with a path and a query, and the variant chosen from it; and the
// ID3 tag a packed-audio segment may start with, read for its title; and a
// TS segment scanned for its timed ID3 tags, arriving in pieces of 100 bytes.
#include <cstdlib>
#include <string>
#include <string_view>

#include "audio/hls_playlist.h"
#include "audio/id3_title.h"
#include "audio/ts_id3_scanner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const tarvo::audio::HlsPlaylist playlist =
      tarvo::audio::ParseHlsPlaylist(input, "https://radio.example/live/station.m3u8?token=1");
  if (playlist.segments.size() > tarvo::audio::kMaxHlsSegments) abort();
  if (playlist.isMaster && !playlist.segments.empty()) abort();
  for (const tarvo::audio::HlsSegment& segment : playlist.segments) {
    if (segment.url.empty() || segment.seconds < 0.0) abort();
  }
  const std::string chosen = tarvo::audio::ChooseHlsMediaUrl(playlist);
  // A master always leads somewhere; a media playlist never does.
  if (playlist.isMaster == chosen.empty()) abort();

  const std::int64_t tagBytes = tarvo::audio::Id3TagBytes(input);
  if (tagBytes < 0) abort();
  if (const std::optional<std::string> title = tarvo::audio::Id3Title(input)) {
    if (title->empty() || title->size() > 4 * input.size()) abort();
  }
  tarvo::audio::TsId3Scanner scanner([&](const std::string& title) {
    if (title.empty() || title.size() > 4 * input.size()) abort();
  });
  for (std::size_t at = 0; at < input.size(); at += 100) scanner.Feed(input.substr(at, 100));
  return 0;
}
