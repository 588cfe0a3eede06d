#include "media/renamer.h"

#include <algorithm>
#include <map>

#include "base/text.h"
#include "media/media_messages.h"
#include "platform/file_io.h"
#include "platform/safe_rename.h"
#include "playlist/entry.h"
#include "playlist/model.h"

namespace tarvo {

namespace messages = media_messages;

namespace {

std::string TitleCase(std::string name) {
  if (name.size() <= 2) return name;
  name[0] = AsciiUpper(name[0]);
  for (std::size_t i = 1; i + 1 < name.size(); ++i) {
    if (name[i] == ' ') name[i + 1] = AsciiUpper(name[i + 1]);
  }
  return name;
}

void Warn(PlaylistCore& core, const std::string& text) {
  ShowMessageBox(core, MessageKind::Warning, text);
}

// The first new name that can't be a file name, or two entries that would
// end up as one file: warned about; true when the rename may go ahead.
bool NewPathsAllowed(PlaylistCore& core, const std::vector<std::string>& oldPaths, const std::vector<std::string>& newPaths) {
  for (std::size_t i = 0; i < newPaths.size(); ++i) {
    const std::string_view name = FileNameOf(newPaths[i]);
    if (name.empty() || name == "?") {
      Warn(core, messages::CantRenameTo(FileNameOf(oldPaths[i]), name));
      return false;
    }
  }
  // The same entry twice in the list is one file and may share its new path.
  std::map<std::string, std::size_t> firstWithPath;
  for (std::size_t i = 0; i < newPaths.size(); ++i) {
    const auto [found, added] = firstWithPath.emplace(newPaths[i], i);
    if (added || oldPaths[found->second] == oldPaths[i]) continue;
    Warn(core, messages::CantRenameBothTo(FileNameOf(oldPaths[found->second]), FileNameOf(oldPaths[i]),
                                          FileNameOf(newPaths[i])));
    return false;
  }
  return true;
}

}  // namespace

RenamerSelection CopySelection(const PlaylistCore& core) {
  RenamerSelection selection;
  const std::vector<std::string>& entries = core.playlist.PlaylistEntries;
  for (const int row : core.listView.SelectedRows()) {
    if (row >= static_cast<int>(entries.size())) continue;
    selection.rows.push_back(row);
    selection.entries.push_back(entries[row]);
  }
  return selection;
}

std::string RenamedFileName(std::string_view name, std::string_view find, std::string_view replace) {
  if (replace == "[case]") return TitleCase(std::string(name));
  if (!find.empty()) return ReplaceAllNoCase(name, find, replace);
  return std::string(replace) + std::string(name);
}

std::vector<std::string> PreviewPaths(const std::vector<std::string>& entries, std::string_view find,
                                      std::string_view replace) {
  std::vector<std::string> paths;
  paths.reserve(entries.size());
  for (const std::string& entry : entries) {
    paths.push_back(std::string(FolderOf(entry)) + RenamedFileName(FileNameOf(entry), find, replace));
  }
  return paths;
}

bool ApplyRenames(PlaylistCore& core, const RenamerSelection& selection, std::string_view find, std::string_view replace) {
  const std::vector<std::string>& oldPaths = selection.entries;
  const std::vector<std::string> newPaths = PreviewPaths(oldPaths, find, replace);
  if (!NewPathsAllowed(core, oldPaths, newPaths)) return false;
  if (std::find(oldPaths.begin(), oldPaths.end(), core.playlist.PlayingEntry) != oldPaths.end()) {
    core.playback.StopPlayback(true);
  }
  int renamed = 0;
  std::vector<std::string>& entries = core.playlist.PlaylistEntries;
  for (std::size_t i = 0; i < oldPaths.size(); ++i) {
    std::string newText = newPaths[i];
    if (FileExists(oldPaths[i]) && newPaths[i] != oldPaths[i]) {
      if (RenameWithoutReplacing(oldPaths[i], newPaths[i])) {
        ++renamed;
      } else {
        newText = oldPaths[i];
      }
    }
    const int row = selection.rows[i];
    if (row < static_cast<int>(entries.size())) entries[row] = std::move(newText);
  }
  UpdateListView(core, true, true);
  ShowMessageBox(core, MessageKind::Information, messages::FilesRenamed(renamed));
  return true;
}

bool CheckRenamerSelection(PlaylistCore& core) {
  if (core.listView.SelectedCount() > 1) return true;
  ShowMessageBox(core, MessageKind::Information, messages::kSelectMultipleFirst);
  return false;
}

}  // namespace tarvo
