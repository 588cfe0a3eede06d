#include "audio/id3_title.h"

#include <algorithm>

namespace tarvo::audio {

namespace {

constexpr std::size_t kHeaderBytes = 10;

std::uint32_t Syncsafe(std::string_view bytes) {
  std::uint32_t value = 0;
  for (const char c : bytes.substr(0, 4)) value = (value << 7) | (static_cast<unsigned char>(c) & 0x7F);
  return value;
}

std::uint32_t BigEndian(std::string_view bytes) {
  std::uint32_t value = 0;
  for (const char c : bytes.substr(0, 4)) value = (value << 8) | static_cast<unsigned char>(c);
  return value;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  if (bytes.size() >= 2) {
    const auto first = static_cast<unsigned char>(bytes[0]);
    const auto second = static_cast<unsigned char>(bytes[1]);
    if (first == 0xFF && second == 0xFE) {
      bigEndian = false;
      bytes.remove_prefix(2);
    } else if (first == 0xFE && second == 0xFF) {
      bigEndian = true;
      bytes.remove_prefix(2);
    }
  }
  std::string out;
  std::uint32_t high = 0;  // a pending high surrogate
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    const std::uint32_t unit = bigEndian ? (a << 8 | b) : (b << 8 | a);
    if (unit == 0) break;
    if (unit >= 0xD800 && unit < 0xDC00) {
      high = unit;
    } else if (unit >= 0xDC00 && unit < 0xE000) {
      if (high) AppendUtf8(out, 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
      high = 0;
    } else {
      AppendUtf8(out, unit);
      high = 0;
    }
  }
  return out;
}

// A text frame's content (its encoding byte first) in UTF-8, up to the
// first NUL.
std::string TextOf(std::string_view content) {
  if (content.empty()) return {};
  const char encoding = content[0];
  content.remove_prefix(1);
  if (encoding == 1 || encoding == 2) return Utf16ToUtf8(content, encoding == 2);
  content = content.substr(0, content.find('\0'));
  if (encoding == 3) return std::string(content);
  std::string out;
  for (const char c : content) AppendUtf8(out, static_cast<unsigned char>(c));
  return out;
}

}  // namespace

std::int64_t Id3TagBytes(std::string_view data) {
  if (data.size() < kHeaderBytes || data.substr(0, 3) != "ID3") return 0;
  const bool footer = (static_cast<unsigned char>(data[5]) & 0x10) != 0;
  return static_cast<std::int64_t>(kHeaderBytes + Syncsafe(data.substr(6)) + (footer ? kHeaderBytes : 0));
}

std::optional<std::string> Id3Title(std::string_view tag) {
  if (Id3TagBytes(tag) == 0) return std::nullopt;
  const int version = static_cast<unsigned char>(tag[3]);
  if (version != 3 && version != 4) return std::nullopt;
  std::string_view frames = tag.substr(kHeaderBytes, Syncsafe(tag.substr(6)));
  if ((static_cast<unsigned char>(tag[5]) & 0x40) && frames.size() >= 4) {
    // An extended header comes first: its size counts itself in v4 only.
    const std::uint32_t extended = version == 4 ? Syncsafe(frames) : BigEndian(frames) + 4;
    frames.remove_prefix(std::min<std::size_t>(extended, frames.size()));
  }
  std::string title;
  std::string artist;
  while (frames.size() >= kHeaderBytes && frames[0] != '\0') {
    const std::string_view id = frames.substr(0, 4);
    const std::uint32_t size = version == 4 ? Syncsafe(frames.substr(4)) : BigEndian(frames.substr(4));
    frames.remove_prefix(kHeaderBytes);
    const std::string_view content = frames.substr(0, std::min<std::size_t>(size, frames.size()));
    if (id == "TIT2") title = TextOf(content);
    if (id == "TPE1") artist = TextOf(content);
    frames.remove_prefix(content.size());
  }
  if (title.empty() && artist.empty()) return std::nullopt;
  if (title.empty() || artist.empty()) return title.empty() ? artist : title;
  return artist + " - " + title;
}

}  // namespace tarvo::audio
