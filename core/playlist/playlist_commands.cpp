#include "playlist/playlist_commands.h"

#include <optional>
#include <string>

#include "playlist/dialog_start_folder.h"
#include "playlist/entry.h"
#include "playlist/formats_write.h"
#include "playlist/load_into_playlist.h"
#include "settings/settings_store.h"

namespace tarvo {

namespace {

constexpr char kSettingsSection[] = "General";
constexpr char kPlaylistFolderKey[] = "PlaylistFolder";

constexpr char kOpenPlaylistFilter[] = "Playlist (*.txt, *.m3u, *.pls)|*.txt;*.m3u;*.pls;|All files (*.*)|*.*";
constexpr char kSavePlaylistFilter[] =
    "Tarvo playlist (*.txt)|*.txt|M3U playlist (*.m3u)|*.m3u|PLS playlist (*.pls)|*.pls|All files (*.*)|*.*";

std::optional<SaveFormat> SaveFormatOfName(const std::string& path) {
  const std::string_view extension = ExtensionOf(path);
  if (extension == ".txt") return SaveFormat::Text;
  if (extension == ".pls") return SaveFormat::Pls;
  if (extension == ".m3u") return SaveFormat::M3u;
  return std::nullopt;
}

}  // namespace

void LoadPlayListAc(Core& core) {
  FileDialogRequest request;
  request.startFolder = DialogStartFolder(core, ReadIniString(core, kSettingsSection, kPlaylistFolderKey, ""));
  request.filter = kOpenPlaylistFilter;
  const std::optional<std::string> chosen = core.ui.ChooseFile(request);
  if (!chosen) return;
  core.playlist.CurrentIndex = -1;
  LoadIntoPlaylist(core, *chosen, LoadMode::ReplaceList);
  const std::string folder(FolderOf(*chosen));
  if (!folder.empty()) WriteIniString(core, kSettingsSection, kPlaylistFolderKey, folder);
}

void SavePlaylistAc(Core& core) {
  FileDialogRequest request;
  std::string lastUsed = core.playlist.LastScannedFolder;
  if (lastUsed.empty()) lastUsed = ReadIniString(core, kSettingsSection, kPlaylistFolderKey, "");
  request.startFolder = DialogStartFolder(core, lastUsed);
  request.filter = kSavePlaylistFilter;
  request.defaultExtension = "txt";
  request.save = true;
  const std::optional<std::string> chosen = core.ui.ChooseFile(request);
  if (!chosen) return;
  if (const std::optional<SaveFormat> format = SaveFormatOfName(*chosen)) {
    SavePlaylistFile(core, *chosen, *format);
  }
}

}  // namespace tarvo
