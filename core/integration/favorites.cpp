#include "integration/favorites.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#include "base/path_parts.h"
#include "base/text.h"
#include "integration/integration_messages.h"
#include "platform/file_io.h"
#include "playlist/entry.h"
#include "playlist/folder_scan.h"
#include "playlist/formats_write.h"
#include "playlist/load_into_playlist.h"
#include "playlist/model.h"
#include "playlist/sorting.h"

namespace tarvo {

namespace messages = integration_messages;

namespace {

constexpr char kFavoritesFolderName[] = "Favorites/";
constexpr char kFavoriteExtension[] = ".txt";

// A name becomes one file directly in the favourites folder: a "/" would
// make it a path into a subfolder or out of the folder ("../x"), and a NUL
// would cut the path short.
bool IsFileName(std::string_view name) { return name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos; }

// The name FavoritesAddAc offers: the last part of the folder last scanned or
// the favourite last opened, cut before its first ".".
std::string ProposedName(std::string_view lastScanned) {
  const std::size_t slash = lastScanned.rfind('/');
  const std::string_view last = slash == std::string_view::npos ? lastScanned : lastScanned.substr(slash + 1);
  return std::string(last.substr(0, last.find('.')));
}

// Asks for a name once and saves under it; true when saved, false after the
// save error, nothing when the user cancelled or declined to replace.
std::optional<bool> TrySaveFavorite(Core& core) {
  const std::optional<std::string> name =
      core.ui.AskText(messages::kAddCaption, messages::kNamePrompt, ProposedName(core.playlist.LastScannedFolder));
  if (!name || name->empty()) return std::nullopt;
  if (!IsFileName(*name)) return false;
  const std::string target = FavoritesFolder(core, true) + *name + kFavoriteExtension;
  if (FileExists(target) && !AskYesNo(core, messages::kReplaceQuestion)) return std::nullopt;
  return SavePlaylistFile(core, target, SaveFormat::Text);
}

// "<name>.txt.Ab12Cd": what a favourite's save leaves when it never
// finished (the temporary it writes before renaming it over the file).
bool IsSaveTemporary(std::string_view fileName) {
  constexpr std::size_t kSuffix = 6;
  constexpr std::string_view kExtension = ".txt.";
  if (fileName.size() <= kExtension.size() + kSuffix) return false;
  const std::string_view before = fileName.substr(0, fileName.size() - kSuffix);
  if (AsciiLowerCopy(std::string(before.substr(before.size() - kExtension.size()))) != kExtension) return false;
  for (const char c : fileName.substr(before.size())) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

void RemoveStaleFavoriteTemporaries(const Core& core) {
  const std::string folder = FavoritesFolder(core, false);
  std::error_code failed;
  for (const auto& item : std::filesystem::directory_iterator(folder, failed)) {
    const std::string name = item.path().filename().string();
    // Removed only when a minute old and a regular file, as for the playlist.
    if (IsSaveTemporary(name)) RemoveStaleTemporaries(folder + name.substr(0, name.size() - 7));
  }
}

std::string FavoritesFolder(const Core& core, bool create) {
  std::string folder = core.homeFolder + kFavoritesFolderName;
  if (create) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
  }
  return folder;
}

std::vector<std::string> CollectFavorites(Core& core) {
  std::vector<std::string> favorites;
  // An aborted or failed scan keeps what it found: the menu shows those.
  ScanFolder(core, FavoritesFolder(core, false), true, favorites);
  // A save under way, or one that never finished, is no favourite.
  std::erase_if(favorites, [](const std::string& path) { return IsSaveTemporary(FileNameOf(path)); });
  SortPaths(favorites);
  return favorites;
}

std::string FavoriteName(std::string_view path) {
  const std::string_view name = FileNameOf(path);
  const std::size_t dot = name.find('.');
  // Without a dot there is nothing before it.
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(0, dot));
}

void OpenFavorite(Core& core, std::size_t index) {
  const std::vector<std::string> favorites = CollectFavorites(core);
  if (index >= favorites.size()) return;
  LoadIntoPlaylist(core, favorites[index], LoadMode::ReplaceList);
  PlaylistState& playlist = core.playlist;
  playlist.LastScannedFolder = favorites[index];
  RelocateCurrent(playlist);
  UpdateListView(core, false, false);
  if (playlist.CurrentIndex >= 0) {
    ScrollToCurrent(core);
    SelectSingle(core, playlist.CurrentIndex);
  }
}

bool FavoritesAddAc(Core& core) {
  if (core.playlist.PlaylistEntries.empty()) {
    ShowMessageBox(core, MessageKind::Information, messages::kEmptyPlaylistMessage);
    return false;
  }
  for (;;) {
    const std::optional<bool> saved = TrySaveFavorite(core);
    if (!saved) return false;
    if (*saved) return true;
    ShowMessageBox(core, MessageKind::Error, messages::kSaveError);
  }
}

void RenameFavorite(Core& core, const std::string& path) {
  const std::optional<std::string> name = core.ui.AskText(messages::kRenameCaption, messages::kNamePrompt, FavoriteName(path));
  // An empty name would only hide the file as ".txt".
  if (!name || name->empty() || !IsFileName(*name)) return;
  RenameWithoutReplacing(path, FavoritesFolder(core, true) + *name + kFavoriteExtension);
}

bool DeleteFavorites(Core& core, const std::vector<std::string>& paths) {
  if (!AskYesNo(core, messages::kDeleteQuestion)) return false;
  for (const std::string& path : paths) std::remove(path.c_str());
  return true;
}

void ExploreFavorites(Core& core) {
  const std::string folder = FavoritesFolder(core, true);
  const auto sayNoProgram = [&core, folder] {
    ShowMessageBox(core, MessageKind::Information, "No program to show the folder was found:\r" + folder);
  };
  if (core.desktop && !core.desktop->ShowFolder(folder, sayNoProgram)) sayNoProgram();
}

}  // namespace tarvo
