#include "playlist/model.h"

#include <algorithm>

#include "base/legacy_text.h"
#include "base/text.h"
#include "playlist/entry.h"

namespace tarvo {

namespace {

constexpr int kShufflePlayMode = 4;

}  // namespace

namespace {

std::string EntryDisplayBytes(const PlaylistCore& core, const std::string& entry) {
  if (EntryKindOf(entry) == EntryKind::Stream) return std::string(EntryTitle(entry));
  switch (core.playlist.ViewFormat) {
    case 0:
      return std::string(FileNameOf(entry));
    case 1:
      return entry;
    default:
      return RelativePathText(core.playlist, entry);
  }
}

}  // namespace

// A file name that is not UTF-8 is shown in the legacy code page; the entry
// keeps its bytes.
std::string EntryDisplayText(const PlaylistCore& core, int index) {
  const auto& entries = core.playlist.PlaylistEntries;
  if (index < 0 || index >= static_cast<int>(entries.size())) return {};
  return TextFromOutside(EntryDisplayBytes(core, entries[index]));
}

std::string RelativePathText(const PlaylistState& playlist, std::string_view path) {
  std::string text(path);
  for (const std::string& folder : playlist.MusicFolders) text = ReplaceAllNoCase(text, folder, "");
  if (text.size() <= 3) return {};
  // A file outside the music folders loses its root separator.
  if (text[0] == '/') text.erase(0, 1);
  text = ReplaceAll(text, "//", "");
  text = ReplaceAll(text, "/", playlist.RelativeDelimiter);
  return ReplaceAllNoCase(text, ExtensionOf(path), "");
}

void RelocateCurrent(PlaylistState& playlist) {
  const auto& entries = playlist.PlaylistEntries;
  const auto found = std::find(entries.begin(), entries.end(), playlist.PlayingEntry);
  playlist.CurrentIndex = found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

void ToggleQueued(PlaylistState& playlist, const std::string& entry) {
  if (EntryKindOf(entry) == EntryKind::Stream) return;
  auto& queue = playlist.QueueEntries;
  if (std::find(queue.begin(), queue.end(), entry) != queue.end()) {
    std::erase(queue, entry);
  } else if (entry != playlist.PlayingEntry) {
    queue.push_back(entry);
  }
}

void QueueSelectedRows(PlaylistCore& core) {
  const auto& entries = core.playlist.PlaylistEntries;
  for (const int row : core.listView.SelectedRows()) {
    if (row < static_cast<int>(entries.size())) ToggleQueued(core.playlist, entries[row]);
  }
  const int focused = core.listView.focusedRow;
  if (focused < core.listView.RowCount() - 1) {
    SelectSingle(core, focused + 1);
  } else {
    core.ui.ListViewChanged();
  }
}

void ClearHistory(PlaylistState& playlist) {
  playlist.QueueEntries.clear();
  playlist.ShuffleHistory.clear();
}

std::string FileCountText(std::size_t count) {
  if (count == 1) return "1 File";
  return std::to_string(count) + " Files";
}

void UpdateListView(PlaylistCore& core, bool keepPosition, bool keepSelection) {
  ListViewState& view = core.listView;
  const int format = core.playlist.ViewFormat;
  core.texts.checkedViewCommand = (format >= 0 && format <= 2) ? format : -1;
  if (view.RowCount() == 0) keepPosition = false;

  const int focused = view.focusedRow;
  const int top = view.topRow;
  const std::vector<int> selected = keepPosition ? view.SelectedRows() : std::vector<int>();

  const int rows = static_cast<int>(core.playlist.PlaylistEntries.size());
  core.texts.Panel(StatusPanel::FileCount) = FileCountText(core.playlist.PlaylistEntries.size());
  view.ClearSelection();
  view.SetRowCount(rows);

  if (keepPosition) {
    const int keptFocus = std::min(focused, rows - 1);
    if (keepSelection) {
      for (const int row : selected) view.Select(row, true);
    }
    view.focusedRow = keptFocus;
    view.Select(keptFocus, true);
    view.topRow = top;
    view.ClampTopRow();
  } else {
    view.topRow = 0;
    SelectSingle(core, 0);
  }
  core.ui.WindowTextsChanged();
  core.ui.ListViewChanged();
}

void SelectSingle(PlaylistCore& core, int index) {
  ListViewState& view = core.listView;
  if (index < 0 || index >= view.RowCount()) return;
  view.ClearSelection();
  view.Select(index, true);
  view.focusedRow = index;
  view.anchorRow = index;
  core.ui.ListViewChanged();
}

void ScrollToCurrent(PlaylistCore& core) {
  ListViewState& view = core.listView;
  const int current = core.playlist.CurrentIndex;
  const int rows = view.rowsPerPage;
  if (current < view.topRow || current > view.topRow + rows - 2) {
    const int top = core.settings.playMode == kShufflePlayMode ? current - rows / 2 + 1 : current - 2;
    view.topRow = top;
  }
  // Near the end the last page is shown full rather than scrolled past.
  view.ClampTopRow();
  core.ui.ListViewChanged();
}

void SetViewFormat(PlaylistCore& core, int format) {
  core.playlist.ViewFormat = format;
  UpdateListView(core, true, true);
}

void CycleViewFormat(PlaylistCore& core) {
  const int next = core.playlist.ViewFormat + 1;
  SetViewFormat(core, next > 2 ? 0 : next);
}

std::string PlaylistAutosaveFile(const PlaylistCore& core) { return core.homeFolder + "Playlist.txt"; }

}  // namespace tarvo
