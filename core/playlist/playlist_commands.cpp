#include "playlist/playlist_commands.h"

#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "base/text.h"
#include "platform/file_io.h"

#include "playlist/dialog_start_folder.h"
#include "playlist/entry.h"
#include "playlist/formats_write.h"
#include "playlist/load_into_playlist.h"
#include "playlist/model.h"
#include "playlist/playlist_messages.h"
#include "settings/settings_store.h"

namespace tarvo {

namespace messages = playlist_messages;

namespace {


constexpr char kOpenPlaylistFilter[] =
    "Playlist (*.txt, *.m3u, *.m3u8, *.pls, *.asx, *.b4s)|*.txt;*.m3u;*.m3u8;*.pls;*.asx;*.b4s;|All files (*.*)|*.*";
constexpr char kSavePlaylistFilter[] =
    "Tarvo playlist (*.txt)|*.txt|M3U playlist (*.m3u)|*.m3u|PLS playlist (*.pls)|*.pls|All files (*.*)|*.*";

// The extension each entry of the save filter stands for, in filter order;
// "All files" and anything past it take the default, ".txt".
constexpr const char* kSaveFilterExtensions[] = {".txt", ".m3u", ".pls"};

std::optional<SaveFormat> SaveFormatOfName(std::string_view path) {
  const std::string extension = AsciiLowerCopy(ExtensionOf(path));
  if (extension == ".txt") return SaveFormat::Text;
  if (extension == ".pls") return SaveFormat::Pls;
  if (extension == ".m3u" || extension == ".m3u8") return SaveFormat::M3u;
  return std::nullopt;
}

// A name without a playlist extension gets the chosen filter's one, as
// desktop save dialogs do ("Party.2024" becomes "Party.2024.m3u").
std::string NameWithPlaylistExtension(const ChosenSaveFile& chosen) {
  if (SaveFormatOfName(chosen.path)) return chosen.path;
  const bool known = chosen.filterIndex >= 0 && chosen.filterIndex < static_cast<int>(std::size(kSaveFilterExtensions));
  return chosen.path + (known ? kSaveFilterExtensions[chosen.filterIndex] : kSaveFilterExtensions[0]);
}

}  // namespace

void LoadPlayListAc(PlaylistCore& core) {
  FileDialogRequest request;
  request.startFolder = DialogStartFolder(core, ReadSetting(core, setting::kPlaylistFolder));
  request.filter = kOpenPlaylistFilter;
  const std::optional<std::string> chosen = core.ui.ChooseFile(request);
  if (!chosen) return;
  core.playlist.CurrentIndex = -1;
  LoadIntoPlaylist(core, *chosen, LoadMode::ReplaceList);
  const std::string folder(FolderOf(*chosen));
  if (!folder.empty()) WriteSetting(core, setting::kPlaylistFolder, folder);
}

void SavePlaylistAc(PlaylistCore& core) {
  FileDialogRequest request;
  std::string lastUsed = core.playlist.LastScannedFolder;
  if (lastUsed.empty()) lastUsed = ReadSetting(core, setting::kPlaylistFolder);
  request.startFolder = DialogStartFolder(core, lastUsed);
  request.filter = kSavePlaylistFilter;
  request.defaultExtension = "txt";
  request.save = true;
  const std::optional<ChosenSaveFile> chosen = core.ui.ChooseSaveFile(request);
  if (!chosen) return;
  const std::string path = NameWithPlaylistExtension(*chosen);
  // The dialog asked about replacing the name it was given, not this one.
  if (path != chosen->path && FileExists(path) &&
      !AskYesNo(core, messages::ReplaceExistingQuestion(FileNameOf(path)))) {
    return;
  }
  SavePlaylistFile(core, path, *SaveFormatOfName(path));
}

}  // namespace tarvo
