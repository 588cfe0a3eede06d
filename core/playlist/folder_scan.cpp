#include "playlist/folder_scan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <iterator>
#include <set>
#include <string_view>
#include <thread>
#include <utility>

#include "base/path_parts.h"
#include "base/text.h"
#include "platform/file_io.h"
#include "playlist/model.h"
#include "playlist/playlist_messages.h"

namespace tarvo {

namespace messages = playlist_messages;

namespace {

// The internal error a failed scan of an opened folder reports.
constexpr int kScanErrorNumber = 11;
// Formats a scan keeps by their whole extension, beside the three-letter rule
// for MP3, WAV and Ogg: FLAC, Opus, Ogg audio, the MP4 family and ADTS AAC.
constexpr std::string_view kNewerMusicExtensions[] = {".flac", ".opus", ".oga", ".m4a", ".m4b", ".mp4", ".aac"};

constexpr std::size_t kBufferGrowth = 100000;

// Thrown when the user confirms "Abort operation?": ends the whole operation
// without any message.
struct SilentAbort {};

// Collects candidate paths, depth first, in the order the file system lists
// them. Every folder is entered once, so symbolic links that loop back end.
class FolderScanner {
 public:
  explicit FolderScanner(PlaylistCore& core) : core_(core) {}

  void Scan(std::string folder, bool recurse);
  std::vector<std::string>& Found() { return found_; }

 private:
  void CheckAbort();
  bool IsFolder(const std::string& path, const dirent& item) const;
  void Add(std::string path);

  PlaylistCore& core_;
  std::vector<std::string> found_;
  std::set<std::pair<dev_t, ino_t>> visited_;
};

void FolderScanner::CheckAbort() {
  PlaylistState& playlist = core_.playlist;
  if (playlist.ExitRequested) throw SilentAbort();
  if (!playlist.AbortRequested) return;
  playlist.AbortRequested = false;
  if (AskYesNo(core_, messages::kAbortOperation)) {
    playlist.AbortRequested = true;
    throw SilentAbort();
  }
}

bool FolderScanner::IsFolder(const std::string& path, const dirent& item) const {
  if (item.d_type == DT_DIR) return true;
  if (item.d_type != DT_LNK && item.d_type != DT_UNKNOWN) return false;
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void FolderScanner::Add(std::string path) {
  if (found_.size() == found_.capacity()) found_.reserve(found_.size() + kBufferGrowth);
  found_.push_back(std::move(path));
}

void FolderScanner::Scan(std::string folder, bool recurse) {
  core_.ui.ProcessPendingEvents();
  CheckAbort();
  if (folder.empty() || folder.back() != '/') folder.push_back('/');

  struct stat info {};
  if (stat(folder.c_str(), &info) != 0 || !visited_.insert({info.st_dev, info.st_ino}).second) return;
  // An unreadable folder adds nothing; the scan goes on with the others. The
  // listing is read whole and closed before any subfolder is entered, so a
  // deep tree does not hold one open listing per level.
  DIR* listing = opendir(folder.c_str());
  if (!listing) return;
  std::vector<std::pair<std::string, bool>> items;  // path, is a folder to enter
  while (const dirent* item = readdir(listing)) {
    const std::string_view name = item->d_name;
    if (name == "." || name == "..") continue;
    std::string path = folder + item->d_name;
    const bool enter = recurse && IsFolder(path, *item);
    items.emplace_back(std::move(path), enter);
  }
  closedir(listing);
  for (auto& [path, enter] : items) {
    if (enter) {
      Scan(std::move(path), true);
    } else {
      Add(std::move(path));
    }
  }
}

// Waits until a gapless switch that the audio thread started has completed.
void WaitForGaplessSwitch(PlaylistCore& core) {
  while (core.playback.DecoderEnded()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    SetStatusPanel(core, StatusPanel::FileCount, messages::kWaiting);
    core.ui.ProcessPendingEvents();
    if (core.playlist.AbortRequested || core.playlist.ExitRequested) throw SilentAbort();
    if (core.playback.IsPaused()) core.playback.StopPlayback(true);
  }
}

// Runs the scan; false when the user aborted it.
bool CollectCandidates(PlaylistCore& core, std::vector<std::string>& found, const std::string& folder, bool recurse) {
  core.ui.SetBusyCursor(true);
  SetStatusPanel(core, StatusPanel::Progress, messages::kOpeningAbortable);
  core.ui.ProcessPendingEvents();
  return ScanAsLongOperation(core, folder, recurse, found, kScanErrorNumber);
}

void SortByWay(std::vector<std::string>& paths, int way) {
  if (way == 1) {
    SortByFileName(paths);
  } else {
    SortPaths(paths);
  }
}

}  // namespace

bool ScanAsLongOperation(PlaylistCore& core, const std::string& folder, bool recurse, std::vector<std::string>& found,
                         int errorNumber) {
  PlaylistState& playlist = core.playlist;
  // A scan started from inside another one (a file handed over meanwhile)
  // leaves the outer one marked busy.
  const bool outerBusy = playlist.ScanInProgress;
  playlist.ScanInProgress = true;
  const ScanOutcome outcome = ScanFolder(core, folder, recurse, found);
  playlist.ScanInProgress = outerBusy;
  core.ui.SetBusyCursor(false);
  SetStatusPanel(core, StatusPanel::Progress, "");
  if (outcome == ScanOutcome::Aborted) {
    playlist.AbortRequested = false;
    return false;
  }
  if (outcome == ScanOutcome::Failed) {
    ShowMessageBox(core, MessageKind::Error, messages::InternalError(errorNumber));
  }
  return true;
}

bool OpenFolder(PlaylistCore& core, const std::string& folder, bool replaceList, bool keepPosition,
                bool recurse) {
  return OpenFolderCounting(core, folder, replaceList, keepPosition, recurse).has_value();
}

std::optional<std::size_t> OpenFolderCounting(PlaylistCore& core, const std::string& folder, bool replaceList,
                                              bool keepPosition, bool recurse) {
  PlaylistState& playlist = core.playlist;
  try {
    WaitForGaplessSwitch(core);
  } catch (const SilentAbort&) {
    playlist.AbortRequested = false;
    return std::nullopt;
  }
  if (!FolderExists(folder)) {
    ShowMessageBox(core, MessageKind::Warning, messages::kCantOpenFolder);
    return 0;
  }

  std::vector<std::string> found;
  if (!CollectCandidates(core, found, folder, recurse)) return std::nullopt;
  std::erase_if(found, [](const std::string& path) { return !IsAcceptedMusicFile(path); });
  found.shrink_to_fit();
  if (found.empty()) {
    ShowMessageBox(core, MessageKind::Information, messages::kNoMusicFiles);
    return 0;
  }
  const std::size_t added = found.size();

  SetStatusPanel(core, StatusPanel::Progress, messages::kOpening);
  core.ui.ProcessPendingEvents();
  SortByWay(found, playlist.SortingWay);
  // The new paths are merged only after the pending events ran, so an edit
  // made meanwhile is not overwritten.
  auto& entries = playlist.PlaylistEntries;
  if (replaceList) entries.clear();
  entries.reserve(entries.size() + found.size());
  std::move(found.begin(), found.end(), std::back_inserter(entries));

  bool playingFound = false;
  if (replaceList) {
    RelocateCurrent(playlist);
    playingFound = playlist.CurrentIndex >= 0;
    keepPosition = keepPosition || playingFound;
  }
  UpdateListView(core, keepPosition, keepPosition);
  if (playingFound) {
    ScrollToCurrent(core);
    SelectSingle(core, playlist.CurrentIndex);
  }
  SetStatusPanel(core, StatusPanel::Progress, "");
  return added;
}

ScanOutcome ScanFolder(PlaylistCore& core, const std::string& folder, bool recurse, std::vector<std::string>& found) {
  FolderScanner scanner(core);
  ScanOutcome outcome = ScanOutcome::Complete;
  try {
    scanner.Scan(folder, recurse);
  } catch (const SilentAbort&) {
    outcome = ScanOutcome::Aborted;
  } catch (const std::exception&) {
    outcome = ScanOutcome::Failed;
  }
  found = std::move(scanner.Found());
  return outcome;
}

bool IsAcceptedMusicFile(std::string_view path) {
  if (path.size() < 3) return false;
  const std::string tail = AsciiLowerCopy(path.substr(path.size() - 3));
  if (tail == "mp3" || tail == "wav" || tail == "ogg") return true;
  const std::string extension = AsciiLowerCopy(ExtensionOf(path));
  return std::find(std::begin(kNewerMusicExtensions), std::end(kNewerMusicExtensions), extension) !=
         std::end(kNewerMusicExtensions);
}

void SetSortingWay(PlaylistCore& core, int way) {
  PlaylistState& playlist = core.playlist;
  playlist.SortingWay = way;
  if (playlist.PlaylistEntries.size() <= 1) return;
  const int current = playlist.CurrentIndex;
  const bool hasCurrent = current >= 0 && current < static_cast<int>(playlist.PlaylistEntries.size());
  const std::string currentEntry = hasCurrent ? playlist.PlaylistEntries[current] : std::string();
  SortByWay(playlist.PlaylistEntries, way);
  if (hasCurrent) {
    const auto& entries = playlist.PlaylistEntries;
    const auto found = std::find(entries.begin(), entries.end(), currentEntry);
    if (found != entries.end()) playlist.CurrentIndex = static_cast<int>(found - entries.begin());
  }
  UpdateListView(core, false, false);
  ScrollToCurrent(core);
}

}  // namespace tarvo
