#include "playlist/formats_write.h"

#include <string_view>
#include <vector>

#include "base/text.h"
#include "platform/file_io.h"
#include "playlist/entry.h"
#include "playlist/playlist_line_paths.h"

namespace tarvo {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// A first line that begins like a byte-order mark would lose those bytes
// when read; a mark of our own in front keeps it whole.
bool LooksLikeByteOrderMark(std::string_view line) {
  return StartsWith(line, kUtf8ByteOrderMark) || StartsWith(line, "\xFF\xFE") || StartsWith(line, "\xFE\xFF");
}

std::string PlaylistText(const std::vector<std::string>& entries, std::string_view folder, SaveFormat format) {
  std::size_t size = 64;
  for (const std::string& entry : entries) size += entry.size() + 24;
  std::string text;
  text.reserve(size);
  if (format == SaveFormat::Pls) {
    text.append("[playlist]").append(kLineEnd);
    text.append("Version=2").append(kLineEnd);
    text.append("NumberOfEntries=").append(std::to_string(entries.size())).append(kLineEnd);
  }
  std::size_t number = 0;
  for (const std::string& entry : entries) {
    ++number;
    switch (format) {
      case SaveFormat::Text:
        // The whole entry, so streams keep their titles.
        AppendPlaylistLine(text, entry, folder);
        break;
      case SaveFormat::Pls:
        text.append("File").append(std::to_string(number)).append("=");
        AppendPlaylistLine(text, EntryLocation(entry), folder);
        break;
      case SaveFormat::M3u:
        AppendPlaylistLine(text, EntryLocation(entry), folder);
        break;
    }
    text.append(kLineEnd);
  }
  if (LooksLikeByteOrderMark(text)) text.insert(0, kUtf8ByteOrderMark);
  return text;
}

}  // namespace

bool SavePlaylistFile(const PlaylistCore& core, const std::string& path, SaveFormat format) {
  if (IsReadOnlyFile(path)) return false;
  const std::string text = PlaylistText(core.playlist.PlaylistEntries, FolderOf(path), format);
  // A failed write leaves the old file as it was.
  return WriteFileAtomically(path, text);
}

}  // namespace tarvo
