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

// Only a leading folder is cut, compared exactly: Linux names are
// case-sensitive, and the same folder text may recur deeper in a path
// ("/a/b/c/a/b/x.mp3" saved in "/a/b/"). What is left is written so that a
// "\" in it reads back as part of the name.
void AppendWithoutFolder(std::string& text, std::string_view location, std::string_view folder) {
  if (folder.empty() || !StartsWith(location, folder)) {
    text.append(location);
    return;
  }
  AppendRelativeLine(text, location.substr(folder.size()));
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
        AppendWithoutFolder(text, entry, folder);
        break;
      case SaveFormat::Pls:
        text.append("File").append(std::to_string(number)).append("=");
        AppendWithoutFolder(text, EntryLocation(entry), folder);
        break;
      case SaveFormat::M3u:
        AppendWithoutFolder(text, EntryLocation(entry), folder);
        break;
    }
    text.append(kLineEnd);
  }
  return text;
}

}  // namespace

void SavePlaylistFile(const Core& core, const std::string& path, SaveFormat format) {
  if (IsReadOnlyFile(path)) return;
  const std::string text = PlaylistText(core.playlist.PlaylistEntries, FolderOf(path), format);
  // A failed write leaves the old file as it was; nothing is reported.
  WriteFileAtomically(path, text);
}

}  // namespace tarvo
