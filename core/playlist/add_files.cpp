// Adding files picked in the open dialog or dropped on the window.
#include <iterator>
#include <string>
#include <vector>

#include "platform/file_io.h"
#include "playlist/dialog_start_folder.h"
#include "playlist/editing.h"
#include "playlist/entry.h"
#include "playlist/folder_scan.h"
#include "playlist/load_into_playlist.h"
#include "playlist/model.h"
#include "playlist/sorting.h"
#include "settings/settings_store.h"

namespace tarvo {

namespace {

// The folder the add-files dialog last added from.

constexpr char kAddFilesTitle[] = "Add music file(s) to playlist";
constexpr char kAddFilesFilter[] =
    "All supported music files|*.mp3;*.mp2;*.mp1;*.wav;*.ogg;*.flac;*.opus;*.oga;*.m4a;*.m4b;*.mp4;*.aac;*.it;*.s3m;*.xm;*.mod;*.mtm;*.umx;"
    "|WAVE files (*.wav)|*.wav;|MPEG files (*.mp3,*.mp2,*.mp1)|*.mp3;*.mp2;*.mp1;"
    "|OGG Vorbis files (*.ogg)|*.ogg;"
    "|FLAC files (*.flac)|*.flac;|Opus files (*.opus,*.oga)|*.opus;*.oga;"
    "|AAC and ALAC files (*.m4a,*.m4b,*.mp4,*.aac)|*.m4a;*.m4b;*.mp4;*.aac;"
    "|All files (*.*)|*.*";

// Playlist files are read into the list at once; every other file (playable,
// stream or of an unknown kind) becomes an entry as it is.
bool IsPlainEntry(const std::string& path) { return EntryKindOf(path) < EntryKind::M3uList; }

void AppendSorted(PlaylistCore& core, std::vector<std::string>& files) {
  if (files.size() >= 2) SortPaths(files);
  auto& entries = core.playlist.PlaylistEntries;
  entries.insert(entries.end(), std::make_move_iterator(files.begin()), std::make_move_iterator(files.end()));
}

}  // namespace

void OpenFileAc(PlaylistCore& core) {
  FileDialogRequest request;
  request.title = kAddFilesTitle;
  request.filter = kAddFilesFilter;
  request.startFolder = DialogStartFolder(core, ReadSetting(core, setting::kAddFilesFolder));
  const std::vector<std::string> picked = core.ui.ChooseFiles(request);
  if (picked.empty()) return;
  const std::string folder(FolderOf(picked.front()));
  if (!folder.empty()) WriteSetting(core, setting::kAddFilesFolder, folder);
  std::vector<std::string> collected;
  for (const std::string& file : picked) {
    if (IsPlainEntry(file)) {
      collected.push_back(file);
    } else {
      LoadIntoPlaylist(core, file, LoadMode::AddToList);
    }
  }
  AppendSorted(core, collected);
  UpdateListView(core, true, true);
}

void DropFiles(PlaylistCore& core, const std::vector<std::string>& paths) {
  core.ui.SetBusyCursor(true);
  std::vector<std::string> collected;
  for (const std::string& path : paths) {
    if (FolderExists(path)) {
      OpenFolder(core, path, false, true, true);
    } else if (IsPlainEntry(path)) {
      collected.push_back(path);
    } else {
      LoadIntoPlaylist(core, path, LoadMode::DroppedFiles);
    }
  }
  AppendSorted(core, collected);
  UpdateListView(core, true, true);
  core.ui.SetBusyCursor(false);
}

}  // namespace tarvo
