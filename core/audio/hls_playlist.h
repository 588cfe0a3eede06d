// HLS playlists (RFC 8216) as a station sends them: a master playlist that
// lists variants of the stream, or a media playlist that lists its segments.
// Only what playing a station needs is read; anything else is skipped.
//
// Pure functions, any thread. Whatever the text, parsing stays linear in its
// size and keeps a bounded number of segments.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::audio {

// The most segments a media playlist keeps: the newest of a live playlist,
// the first of one that has ended.
inline constexpr std::size_t kMaxHlsSegments = 10000;

struct HlsVariant {
  std::string url;             // resolved against the playlist's address
  std::int64_t bandwidth = 0;  // bits a second; 0 when not given
  std::string audioGroup;      // the AUDIO group whose rendition it plays with
};

struct HlsRendition {  // an #EXT-X-MEDIA audio rendition with a playlist of its own
  std::string url;
  std::string group;
  bool isDefault = false;
};

struct HlsSegment {
  std::string url;
  std::int64_t sequence = 0;
  double seconds = 0.0;
  std::string title;  // the #EXTINF title; empty when none
  // The #EXT-X-MAP initialisation section (the "moov" of fragmented MP4)
  // the segment needs before it; empty when none.
  std::string initUrl;
};

struct HlsPlaylist {
  bool isMaster = false;
  std::vector<HlsVariant> variants;
  std::vector<HlsRendition> audioRenditions;
  std::vector<HlsSegment> segments;
  double targetSeconds = 0.0;  // #EXT-X-TARGETDURATION
  bool ended = false;          // #EXT-X-ENDLIST: no refresh brings more
};

// True when `text` starts (after a byte-order mark and white space) with
// "#EXTM3U" and holds an "#EXT-X-" tag: an HLS playlist, not a plain M3U.
bool IsHlsPlaylist(std::string_view text);

// `address` is where the playlist came from, for relative URIs.
HlsPlaylist ParseHlsPlaylist(std::string_view text, const std::string& address);

// `reference` resolved against `base`: absolute addresses stay, "/x" takes
// base's scheme and host, anything else replaces base's last path step.
std::string ResolveHlsUrl(const std::string& base, std::string_view reference);

// The playlist address a master playlist leads to: the variant of the
// highest bandwidth up to 320 kbit/s (the lowest when all are above), or its
// audio group's rendition when that has a playlist of its own. Empty when
// the master lists nothing.
std::string ChooseHlsMediaUrl(const HlsPlaylist& master);

}  // namespace tarvo::audio
