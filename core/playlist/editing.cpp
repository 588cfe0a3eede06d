// Removing, trashing, cropping, the clipboard, editing one entry, moving rows,
// emptying the list and the file manager commands.
#include "playlist/editing.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <utility>

#include "base/text.h"
#include "platform/file_io.h"
#include "playlist/entry.h"
#include "playlist/model.h"
#include "playlist/playlist_messages.h"

namespace tarvo {

namespace messages = playlist_messages;

namespace {

constexpr char kClipboardLineEnd[] = "\r\n";

int EntryCount(const PlaylistCore& core) { return static_cast<int>(core.playlist.PlaylistEntries.size()); }

// The selected rows that have an entry, ascending.
std::vector<int> SelectedEntryRows(const PlaylistCore& core) {
  std::vector<int> rows = core.listView.SelectedRows();
  const int count = EntryCount(core);
  std::erase_if(rows, [count](int row) { return row >= count; });
  return rows;
}

void ShowInformation(PlaylistCore& core, const std::string& text) {
  ShowMessageBox(core, MessageKind::Information, text);
}

// Keeps the focused row on the page after it moved.
void ScrollToFocus(ListViewState& view) {
  const int focused = view.focusedRow;
  if (focused < 0) return;
  if (focused < view.topRow) {
    view.topRow = focused;
  } else if (focused >= view.topRow + view.rowsPerPage) {
    view.topRow = focused - std::max(view.rowsPerPage, 1) + 1;
  }
  view.ClampTopRow();
}

// One paragraph per reason, naming the files the trash refused for it.
std::string TrashRefusalText(const std::map<std::string, std::vector<std::string>>& refusals) {
  std::string text;
  for (const auto& [reason, names] : refusals) {
    if (!text.empty()) text += "\r\r";
    text += messages::kTriedToRecycle;
    for (std::size_t i = 0; i < names.size(); ++i) text += (i == 0 ? "" : "\r") + names[i];
    text += "\r\n" + reason;
  }
  return text;
}

void ShowFolderInFileManager(PlaylistCore& core, const std::string& folder) {
  const auto sayCantShow = [&core, folder] {
    ShowMessageBox(core, MessageKind::Warning, messages::CantShowFolder(folder));
  };
  if (!core.desktop->ShowFolder(folder, sayCantShow)) sayCantShow();
}

}  // namespace

void DeleteAc(PlaylistCore& core) {
  const ListViewState& view = core.listView;
  if (view.SelectedCount() == 0) return;
  PlaylistState& playlist = core.playlist;
  auto& entries = playlist.PlaylistEntries;
  auto& queue = playlist.QueueEntries;
  const int current = playlist.CurrentIndex;
  int newCurrent = current;
  std::vector<std::string> kept;
  kept.reserve(entries.size());
  for (int row = 0; row < EntryCount(core); ++row) {
    std::string& entry = entries[row];
    if (!view.IsSelected(row)) {
      kept.push_back(std::move(entry));
      continue;
    }
    if (row < current) {
      --newCurrent;
    } else if (row == current) {
      newCurrent = -1;
    }
    // One queue element per removed row: a twice-queued entry removed once
    // stays queued once.
    const auto queued = std::find(queue.begin(), queue.end(), entry);
    if (queued != queue.end()) queue.erase(queued);
  }
  entries = std::move(kept);
  playlist.CurrentIndex = newCurrent;
  UpdateListView(core, true, false);
}

void RealDelAc(PlaylistCore& core) {
  PlaylistState& playlist = core.playlist;
  if (!core.desktop || playlist.PlaylistEntries.empty()) return;
  const std::vector<int> rows = SelectedEntryRows(core);
  if (rows.empty()) return;
  std::vector<std::string> names;
  for (const int row : rows) names.push_back(playlist.PlaylistEntries[row]);
  if (!AskYesNo(core, messages::TrashQuestion(names))) return;

  // The player lets go of a file that is about to leave.
  if (std::ranges::find(names, playlist.PlayingEntry) != names.end()) core.playback.StopPlayback(true);
  std::set<std::string> trashed;
  std::map<std::string, std::vector<std::string>> refusals;
  for (const std::string& name : names) {
    if (trashed.contains(name)) continue;  // the same entry selected twice
    const TrashOutcome outcome = core.desktop->MoveToTrash(name);
    if (outcome.moved) {
      trashed.insert(name);
    } else {
      refusals[outcome.error].push_back(name);
    }
  }
  // Only the selected rows whose file went leave the list; a file the trash
  // refused keeps its row, so the list never loses an entry whose file is
  // still there.
  std::vector<std::string> kept;
  auto& entries = playlist.PlaylistEntries;
  for (int row = 0; row < EntryCount(core); ++row) {
    if (!core.listView.IsSelected(row) || !trashed.contains(entries[row])) kept.push_back(std::move(entries[row]));
  }
  entries = std::move(kept);
  RelocateCurrent(playlist);
  UpdateListView(core, true, false);
  if (!refusals.empty()) ShowMessageBox(core, MessageKind::Error, TrashRefusalText(refusals));
}

void CropAc(PlaylistCore& core) {
  PlaylistState& playlist = core.playlist;
  const std::vector<int> rows = SelectedEntryRows(core);
  std::vector<std::string> cropped;
  if (rows.size() < 2) {
    if (playlist.QueueEntries.empty()) {
      ShowInformation(core, messages::kSelectTwoFiles);
      return;
    }
    cropped = std::exchange(playlist.QueueEntries, {});
  } else {
    cropped.reserve(rows.size());
    for (const int row : rows) cropped.push_back(playlist.PlaylistEntries[row]);
  }
  playlist.PlaylistEntries = std::move(cropped);
  UpdateListView(core, false, false);
  RelocateCurrent(playlist);
  if (playlist.CurrentIndex >= 0) {
    ScrollToCurrent(core);
    SelectSingle(core, playlist.CurrentIndex);
  }
}

void CopyAc(PlaylistCore& core) {
  if (!core.desktop) return;
  const std::vector<int> rows = SelectedEntryRows(core);
  // Nothing selected leaves whatever the user had on the clipboard.
  if (rows.empty()) return;
  std::string text;
  for (const int row : rows) text += core.playlist.PlaylistEntries[row] + kClipboardLineEnd;
  core.desktop->SetClipboardText(text);
}

void CutAc(PlaylistCore& core) {
  // Without a clipboard the entries would be lost rather than moved.
  if (!core.desktop) return;
  CopyAc(core);
  DeleteAc(core);
}

void PastAc(PlaylistCore& core) {
  if (!core.desktop) return;
  std::vector<std::string> lines = SplitLines(core.desktop->ClipboardText());
  if (lines.empty()) return;
  auto& entries = core.playlist.PlaylistEntries;
  ListViewState& view = core.listView;
  const int at = std::clamp(view.focusedRow, 0, EntryCount(core));
  const int count = static_cast<int>(lines.size());
  entries.insert(entries.begin() + at, std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
  UpdateListView(core, true, true);
  view.ClearSelection();
  if (count < view.rowsPerPage) {
    for (int row = at; row < at + count; ++row) view.Select(row, true);
  }
  core.ui.ListViewChanged();
  RelocateCurrent(core.playlist);
}

void ListEntryAc(PlaylistCore& core) {
  if (core.playlist.PlaylistEntries.empty()) return;
  const int row = core.listView.focusedRow;
  if (row >= 0 && row < EntryCount(core)) {
    const std::optional<std::string> edited =
        core.ui.AskText(messages::kEditEntryCaption, messages::kEditEntryPrompt, core.playlist.PlaylistEntries[row]);
    // The dialog let events run; the row may have gone meanwhile.
    if (edited && row < EntryCount(core)) core.playlist.PlaylistEntries[row] = *edited;
  }
  UpdateListView(core, true, false);
}

void MoveSelectedRows(PlaylistCore& core, bool up) {
  std::vector<int> rows = SelectedEntryRows(core);
  if (rows.empty() || (up && rows.front() == 0) || (!up && rows.back() == EntryCount(core) - 1)) return;
  // Rows move in the order that never moves a row onto one still waiting.
  if (!up) std::ranges::reverse(rows);
  const int step = up ? -1 : 1;
  auto& entries = core.playlist.PlaylistEntries;
  int& current = core.playlist.CurrentIndex;
  ListViewState& view = core.listView;
  for (const int row : rows) {
    const int target = row + step;
    std::swap(entries[row], entries[target]);
    view.Select(row, false);
    view.Select(target, true);
    if (current == target) {
      current = row;
    } else if (current == row) {
      current = target;
    }
  }
  if (view.focusedRow >= 0) view.focusedRow = std::clamp(view.focusedRow + step, 0, EntryCount(core) - 1);
  ScrollToFocus(view);
  core.ui.ListViewChanged();
}

void NewListAc(PlaylistCore& core) {
  core.playlist.PlaylistEntries.clear();
  // No row is left to carry the playing mark.
  core.playlist.CurrentIndex = -1;
  ClearShuffleHistoryAc(core);
  UpdateListView(core, false, false);
}

void ClearShuffleHistoryAc(PlaylistCore& core) {
  PlaylistState& playlist = core.playlist;
  if (playlist.QueueEntries.empty() && playlist.ShuffleHistory.empty()) return;
  ClearHistory(playlist);
  UpdateListView(core, true, true);
}

void ExplorerFile(PlaylistCore& core) {
  if (!core.desktop) return;
  const PlaylistState& playlist = core.playlist;
  std::string folder;
  if (playlist.PlaylistEntries.empty()) {
    const std::string playingFolder(FolderOf(playlist.PlayingEntry));
    if (!playingFolder.empty() && FolderExists(playingFolder)) folder = playingFolder;
  } else {
    const int row = core.listView.focusedRow;
    if (row >= 0 && row < EntryCount(core)) {
      const std::string& entry = playlist.PlaylistEntries[row];
      if (EntryKindOf(entry) == EntryKind::Stream) return;
      folder = FolderOf(entry);
    }
  }
  if (folder.empty()) {
    ShowMessageBox(core, MessageKind::Warning, messages::kNoFileForFolder);
    return;
  }
  ShowFolderInFileManager(core, folder);
}

void ExplorerExe(PlaylistCore& core) {
  if (core.desktop) ShowFolderInFileManager(core, core.homeFolder);
}

void CopyPlAc(PlaylistCore& core) {
  const int current = core.playlist.CurrentIndex;
  if (!core.desktop || current < 0 || current >= EntryCount(core)) return;
  core.desktop->SetClipboardText(std::string(FileNameOf(core.playlist.PlaylistEntries[current])) + kClipboardLineEnd);
}

}  // namespace tarvo
