#include "audio/hls_playlist.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace tarvo::audio {

namespace {

constexpr std::int64_t kMaxBandwidth = 320'000;

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::int64_t IntegerOf(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() ? std::max<std::int64_t>(value, 0) : 0;
}

double SecondsOf(std::string_view text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && std::isfinite(value) && value > 0.0 ? value : 0.0;
}

// The value of `key` in an attribute list (KEY=VALUE,KEY="quoted, value").
std::optional<std::string_view> Attribute(std::string_view list, std::string_view key) {
  std::size_t at = 0;
  while (at < list.size()) {
    const std::size_t equals = list.find('=', at);
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view name = Trim(list.substr(at, equals - at));
    std::size_t valueStart = equals + 1;
    std::size_t valueEnd = 0;
    std::size_t next = 0;
    if (valueStart < list.size() && list[valueStart] == '"') {
      ++valueStart;
      valueEnd = std::min(list.find('"', valueStart), list.size());
      next = std::min(list.find(',', valueEnd), list.size());
    } else {
      valueEnd = next = std::min(list.find(',', valueStart), list.size());
    }
    if (name == key) return list.substr(valueStart, valueEnd - valueStart);
    at = next + 1;
  }
  return std::nullopt;
}

struct PendingSegment {
  double seconds = 0.0;
  std::string title;
};

struct Parser {
  HlsPlaylist playlist;
  const std::string& address;
  std::int64_t nextSequence = 0;
  std::string initUrl;  // the last #EXT-X-MAP, which holds for the segments after it
  std::optional<PendingSegment> segment;
  std::optional<HlsVariant> variant;

  void Tag(std::string_view line) {
    if (StartsWith(line, "#EXTINF:")) {
      const std::string_view info = line.substr(8);
      const std::size_t comma = info.find(',');
      segment = PendingSegment{SecondsOf(Trim(info.substr(0, comma))),
                               comma == std::string_view::npos ? std::string() : std::string(Trim(info.substr(comma + 1)))};
    } else if (StartsWith(line, "#EXT-X-STREAM-INF:")) {
      const std::string_view list = line.substr(18);
      variant = HlsVariant{};
      variant->bandwidth = IntegerOf(Attribute(list, "BANDWIDTH").value_or(""));
      variant->audioGroup = std::string(Attribute(list, "AUDIO").value_or(""));
    } else if (StartsWith(line, "#EXT-X-MEDIA:")) {
      const std::string_view list = line.substr(13);
      const std::optional<std::string_view> uri = Attribute(list, "URI");
      if (Attribute(list, "TYPE") == "AUDIO" && uri && !uri->empty()) {
        playlist.audioRenditions.push_back(HlsRendition{ResolveHlsUrl(address, *uri),
                                                        std::string(Attribute(list, "GROUP-ID").value_or("")),
                                                        Attribute(list, "DEFAULT") == "YES"});
        playlist.isMaster = true;
      }
    } else if (StartsWith(line, "#EXT-X-MAP:")) {
      const std::optional<std::string_view> uri = Attribute(line.substr(11), "URI");
      initUrl = uri && !uri->empty() ? ResolveHlsUrl(address, *uri) : std::string();
    } else if (StartsWith(line, "#EXT-X-TARGETDURATION:")) {
      playlist.targetSeconds = SecondsOf(Trim(line.substr(22)));
    } else if (StartsWith(line, "#EXT-X-MEDIA-SEQUENCE:")) {
      nextSequence = IntegerOf(Trim(line.substr(22)));
    } else if (StartsWith(line, "#EXT-X-ENDLIST")) {
      playlist.ended = true;
    }
  }

  void Uri(std::string_view line) {
    if (variant) {
      variant->url = ResolveHlsUrl(address, line);
      playlist.variants.push_back(std::move(*variant));
      playlist.isMaster = true;
      variant.reset();
      return;
    }
    HlsSegment added{ResolveHlsUrl(address, line), nextSequence++, 0.0, {}, initUrl};
    if (segment) {
      added.seconds = segment->seconds;
      added.title = std::move(segment->title);
      segment.reset();
    }
    playlist.segments.push_back(std::move(added));
  }
};

}  // namespace

bool IsHlsPlaylist(std::string_view text) {
  if (StartsWith(text, "\xEF\xBB\xBF")) text.remove_prefix(3);
  text = Trim(text);
  return StartsWith(text, "#EXTM3U") && text.find("#EXT-X-") != std::string_view::npos;
}

HlsPlaylist ParseHlsPlaylist(std::string_view text, const std::string& address) {
  Parser parser{HlsPlaylist{}, address, 0, {}, std::nullopt, std::nullopt};
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.empty()) continue;
    if (line[0] == '#') {
      parser.Tag(line);
    } else {
      parser.Uri(line);
    }
  }
  HlsPlaylist& playlist = parser.playlist;
  if (playlist.isMaster) playlist.segments.clear();
  if (playlist.segments.size() > kMaxHlsSegments) {
    if (playlist.ended) {
      playlist.segments.resize(kMaxHlsSegments);
    } else {
      playlist.segments.erase(playlist.segments.begin(), playlist.segments.end() - kMaxHlsSegments);
    }
  }
  return std::move(playlist);
}

std::string ResolveHlsUrl(const std::string& base, std::string_view reference) {
  if (reference.find("://") != std::string_view::npos) return std::string(reference);
  const std::size_t schemeEnd = base.find("://");
  const std::size_t hostEnd = schemeEnd == std::string::npos ? std::string::npos : base.find('/', schemeEnd + 3);
  const std::string root = base.substr(0, hostEnd);
  if (StartsWith(reference, "//")) return base.substr(0, schemeEnd + 1) + std::string(reference);
  if (StartsWith(reference, "/")) return root + std::string(reference);
  // The base's query and fragment are not part of its path.
  const std::string path = hostEnd == std::string::npos ? "/" : base.substr(hostEnd, base.find_first_of("?#", hostEnd) - hostEnd);
  return root + path.substr(0, path.rfind('/') + 1) + std::string(reference);
}

std::string ChooseHlsMediaUrl(const HlsPlaylist& master) {
  const HlsVariant* chosen = nullptr;
  for (const HlsVariant& variant : master.variants) {
    const bool fits = variant.bandwidth <= kMaxBandwidth;
    if (!chosen) {
      chosen = &variant;
    } else if (fits && (chosen->bandwidth > kMaxBandwidth || variant.bandwidth > chosen->bandwidth)) {
      chosen = &variant;
    } else if (!fits && chosen->bandwidth > kMaxBandwidth && variant.bandwidth < chosen->bandwidth) {
      chosen = &variant;
    }
  }
  const HlsRendition* rendition = nullptr;
  for (const HlsRendition& candidate : master.audioRenditions) {
    if (chosen && candidate.group != chosen->audioGroup) continue;
    if (!rendition || (candidate.isDefault && !rendition->isDefault)) rendition = &candidate;
  }
  if (rendition) return rendition->url;
  return chosen ? chosen->url : std::string();
}

}  // namespace tarvo::audio
