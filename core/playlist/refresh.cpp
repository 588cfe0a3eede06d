// Removing entries whose files are gone, and the refresh from the last opened
// folder.
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/file_io.h"
#include "playlist/editing.h"
#include "playlist/entry.h"
#include "playlist/folder_scan.h"
#include "playlist/model.h"
#include "playlist/playlist_messages.h"

namespace tarvo {

namespace messages = playlist_messages;

namespace {

// The internal error a failed scan of the refresh reports.
constexpr int kRefreshErrorNumber = 13;


// Removes, in place and keeping the order, every entry that is not an
// existing file; a stream address is not a file and goes too.
int RemoveMissingFiles(PlaylistState& playlist) {
  auto& entries = playlist.PlaylistEntries;
  const std::size_t before = entries.size();
  std::erase_if(entries, [](const std::string& entry) { return !FileExists(entry); });
  return static_cast<int>(before - entries.size());
}

void ShowInformation(PlaylistCore& core, const std::string& text) {
  ShowMessageBox(core, MessageKind::Information, text);
}

// Scans the folder with its subfolders. The scan counts as a long operation,
// so Esc asks whether to abort it instead of closing the program. False when
// the user aborted.
bool ScanForRefresh(PlaylistCore& core, const std::string& folder, std::vector<std::string>& found) {
  core.ui.SetBusyCursor(true);
  SetStatusPanel(core, StatusPanel::Progress, messages::kRefreshingAbortable);
  return ScanAsLongOperation(core, folder, true, found, kRefreshErrorNumber);
}

// Appends the music files not yet in the list, in scan order; returns how
// many.
int AppendNewMusicFiles(PlaylistState& playlist, std::vector<std::string>& found) {
  auto& entries = playlist.PlaylistEntries;
  std::unordered_set<std::string> known(entries.begin(), entries.end());
  int added = 0;
  for (std::string& path : found) {
    if (!IsAcceptedMusicFile(path) || !known.insert(path).second) continue;
    entries.push_back(std::move(path));
    ++added;
  }
  return added;
}

}  // namespace

void BrokenFilesAc(PlaylistCore& core) {
  const int removed = RemoveMissingFiles(core.playlist);
  RelocateCurrent(core.playlist);
  UpdateListView(core, true, true);
  ShowInformation(core, messages::MissingFilesRemoved(removed));
}

void RefreshAc(PlaylistCore& core) {
  PlaylistState& playlist = core.playlist;
  std::string& folder = playlist.LastScannedFolder;
  if (!playlist.PlaylistEntries.empty() && (folder.empty() || FileExists(folder))) {
    folder = FolderOf(playlist.PlaylistEntries.front());
  }
  const int removed = RemoveMissingFiles(playlist);
  RelocateCurrent(playlist);
  if (!FolderExists(folder)) {
    UpdateListView(core, true, true);
    ShowInformation(core, messages::kOpenFolderFirst);
    return;
  }

  // The folder is copied: the scan lets events run, and a folder command
  // among them may change the last scanned folder.
  const std::string scanned = folder;
  std::vector<std::string> found;
  const bool completed = ScanForRefresh(core, scanned, found);
  const int added = completed ? AppendNewMusicFiles(playlist, found) : 0;
  UpdateListView(core, true, true);
  if (!completed) return;
  const std::string foundText = messages::NewFilesFound(added, scanned);
  if (removed == 0) {
    ShowInformation(core, foundText);
  } else {
    ShowInformation(core, messages::MissingFilesRemoved(removed) + "\r" + foundText);
  }
}

}  // namespace tarvo
