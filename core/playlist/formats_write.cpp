#include "playlist/formats_write.h"

#include <string_view>
#include <vector>

#include "base/text.h"
#include "platform/file_io.h"
#include "playlist/entry.h"

namespace tarvo {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Only a leading folder is cut, compared exactly: Linux names are
// case-sensitive, and the same folder text may recur deeper in a path
// ("/a/b/c/a/b/x.mp3" saved in "/a/b/").
std::string_view WithoutFolder(std::string_view location, std::string_view folder) {
  if (folder.empty() || !StartsWith(location, folder)) return location;
  return location.substr(folder.size());
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
        text.append(WithoutFolder(entry, folder));
        break;
      case SaveFormat::Pls:
        text.append("File").append(std::to_string(number)).append("=");
        text.append(WithoutFolder(EntryLocation(entry), folder));
        break;
      case SaveFormat::M3u:
        text.append(WithoutFolder(EntryLocation(entry), folder));
        break;
    }
    text.append(kLineEnd);
  }
  return text;
}

}  // namespace

bool SavePlaylistFile(const Core& core, const std::string& path, SaveFormat format) {
  if (IsReadOnlyFile(path)) return false;
  const std::string text = PlaylistText(core.playlist.PlaylistEntries, FolderOf(path), format);
  // A failed write leaves the old file as it was.
  return WriteFileAtomically(path, text);
}

}  // namespace tarvo
