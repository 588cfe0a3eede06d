#include "playlist/load_into_playlist.h"

#include <algorithm>

#include "base/text.h"
#include "platform/file_io.h"
#include "playlist/entry.h"
#include "playlist/folder_scan.h"
#include "playlist/formats_read.h"
#include "playlist/model.h"
#include "settings/settings_store.h"

namespace tarvo {

namespace {

// Values of the "EnqueueOption" setting.
constexpr int kPlayInEmptiedList = 0;
constexpr int kAppendToList = 1;
constexpr int kOpenFolderAndPlay = 2;

bool FromShellOrInstance(LoadMode mode) {
  return mode == LoadMode::OpenFromShell || mode == LoadMode::FromOtherInstance;
}

void ReadPlaylistOfKind(PlaylistCore& core, EntryKind kind, const std::string& path) {
  switch (kind) {
    case EntryKind::TxtList:
      ReadTextPlaylist(core, path);
      break;
    case EntryKind::M3uList:
      ReadM3u(core, path);
      break;
    case EntryKind::PlsList:
      ReadPls(core, path);
      break;
    case EntryKind::AsxList:
      ReadAsx(core, path);
      break;
    case EntryKind::B4sList:
      ReadB4s(core, path);
      break;
    default:
      break;
  }
}

// Option 2 for a file from the shell or a second instance: the list becomes
// the file's folder (without subfolders). An address has no folder to open.
void OpenFolderOfFile(PlaylistCore& core, const std::string& path, LoadMode mode) {
  const std::string folder(FolderOf(path));
  if (folder.empty() || IsStreamAddress(EntryLocation(path))) return;
  if (mode == LoadMode::FromOtherInstance) core.playback.StopPlayback(false);
  OpenFolder(core, folder, true, false, false);
  core.playlist.LastScannedFolder = folder;
  UpdateListView(core, false, false);
}

// A file or address from the shell or a second instance: found or appended,
// made current (unless a second instance only appends) and, for a second
// instance, played.
void LoadPlayableFromOutside(PlaylistCore& core, const std::string& path, LoadMode mode, int option) {
  if (option == kOpenFolderAndPlay) OpenFolderOfFile(core, path, mode);

  PlaylistState& playlist = core.playlist;
  const bool moveMark = !(mode == LoadMode::FromOtherInstance && option == kAppendToList);
  auto& entries = playlist.PlaylistEntries;
  const auto found = std::find(entries.begin(), entries.end(), path);
  if (found == entries.end()) {
    entries.push_back(path);
    if (moveMark) playlist.CurrentIndex = static_cast<int>(entries.size()) - 1;
    UpdateListView(core, true, false);
  } else if (moveMark) {
    playlist.CurrentIndex = static_cast<int>(found - entries.begin());
  }
  // The start-up sequence plays the current entry of a shell start itself.
  if (mode == LoadMode::OpenFromShell) return;

  if (option != kAppendToList) core.playback.PlayEntry(playlist.CurrentIndex);
  UpdateListView(core, true, false);
  SelectSingle(core, playlist.CurrentIndex);
  ScrollToCurrent(core);
}

// A folder from the shell or a second instance opens as the open-folder
// command opens it, with its subfolders: in place of the list, or after it
// when the option only appends. The first of its files becomes current; a
// second instance plays it, unless the option only appends.
void LoadFolderFromOutside(PlaylistCore& core, std::string folder, LoadMode mode, int option) {
  if (!EndsWith(folder, "/")) folder.push_back('/');
  PlaylistState& playlist = core.playlist;
  const bool append = option == kAppendToList;
  const std::size_t countBefore = append ? playlist.PlaylistEntries.size() : 0;
  if (mode == LoadMode::FromOtherInstance && !append) core.playback.StopPlayback(false);
  const std::optional<std::size_t> added = OpenFolderCounting(core, folder, !append, append, true);
  if (!added || *added == 0) return;
  playlist.LastScannedFolder = folder;
  const bool moveMark = !(mode == LoadMode::FromOtherInstance && append);
  if (moveMark) playlist.CurrentIndex = static_cast<int>(countBefore);
  if (mode == LoadMode::FromOtherInstance && !append) core.playback.PlayEntry(playlist.CurrentIndex);
  UpdateListView(core, true, false);
  SelectSingle(core, playlist.CurrentIndex);
  ScrollToCurrent(core);
}

void LoadPlaylistFile(PlaylistCore& core, EntryKind kind, const std::string& path, LoadMode mode) {
  PlaylistState& playlist = core.playlist;
  const int previousCurrent = playlist.CurrentIndex;
  const std::size_t countBefore = playlist.PlaylistEntries.size();
  // A handed-over playlist plays from its first entry.
  if (FromShellOrInstance(mode)) playlist.CurrentIndex = static_cast<int>(countBefore);
  ReadPlaylistOfKind(core, kind, path);
  const int lastIndex = static_cast<int>(playlist.PlaylistEntries.size()) - 1;
  if (FromShellOrInstance(mode) && playlist.PlaylistEntries.size() == countBefore) {
    // An empty or missing playlist: the mark must not stay past the end, and
    // nothing new starts playing.
    playlist.CurrentIndex = previousCurrent <= lastIndex ? previousCurrent : -1;
    UpdateListView(core, true, true);
    return;
  }
  if (playlist.CurrentIndex <= lastIndex) {
    if (mode == LoadMode::FromOtherInstance) core.playback.PlayEntry(playlist.CurrentIndex);
    UpdateListView(core, true, true);
  }
}

}  // namespace

void LoadIntoPlaylist(PlaylistCore& core, const std::string& path, LoadMode mode) {
  const EntryKind kind = EntryKindOf(path);
  const bool folder = FromShellOrInstance(mode) && FolderExists(path);
  if (kind == EntryKind::Unsupported && !folder) return;
  const int option = ReadEnqueueOption(core);

  // Options 1 and 2 continue the list of the previous run.
  if (mode == LoadMode::OpenFromShell && (option == kAppendToList || option == kOpenFolderAndPlay)) {
    ReadTextPlaylist(core, PlaylistAutosaveFile(core));
  }
  // The folder's files replace the list only once some are found.
  if (folder) {
    LoadFolderFromOutside(core, path, mode, option);
    return;
  }
  if (mode == LoadMode::ReplaceList ||
      (FromShellOrInstance(mode) && (option == kPlayInEmptiedList || option == kOpenFolderAndPlay))) {
    core.playlist.PlaylistEntries.clear();
    UpdateListView(core, false, false);
  }

  if (kind == EntryKind::Audio || kind == EntryKind::Module || kind == EntryKind::Stream) {
    if (FromShellOrInstance(mode)) {
      LoadPlayableFromOutside(core, path, mode, option);
    } else {
      core.playlist.PlaylistEntries.push_back(path);
      UpdateListView(core, true, true);
    }
  } else if (IsPlaylistKind(kind)) {
    LoadPlaylistFile(core, kind, path, mode);
  }
}

}  // namespace tarvo
