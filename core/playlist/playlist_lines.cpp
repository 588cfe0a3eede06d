#include "playlist/playlist_lines.h"

#include <string_view>

#include "base/text.h"
#include "platform/file_io.h"

namespace tarvo {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::optional<std::vector<std::string>> ReadPlaylistLines(const std::string& path) {
  std::optional<std::string> contents = ReadWholeFile(path);
  if (!contents) return std::nullopt;
  std::string_view text = *contents;
  if (StartsWith(text, kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
  if (text.find('\0') == std::string_view::npos) return SplitLines(text);
  std::string cleaned(text);
  std::erase(cleaned, '\0');
  return SplitLines(cleaned);
}

}  // namespace tarvo
