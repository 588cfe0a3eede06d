#include "playlist/find.h"

#include <algorithm>

#include "base/legacy_text.h"
#include "base/text.h"
#include "base/virtual_keys.h"
#include "playlist/entry.h"
#include "playlist/model.h"

namespace tarvo {

namespace {

// Virtual-key codes of the find window's keys beyond the dispatcher's.
constexpr int kKeyEscape = 27;
constexpr int kKeyPageUp = 33;
constexpr int kKeyPageDown = 34;
constexpr int kKeyInsert = 45;
constexpr int kKeyF8 = 119;

constexpr int kWholeEntryStyle = 0;
constexpr int kFileNameStyle = 1;
constexpr int kRelativePathStyle = 2;

std::string RowBytes(const PlaylistCore& core, int index, int style) {
  const std::string& entry = core.playlist.PlaylistEntries[index];
  switch (style) {
    case kWholeEntryStyle:
      return entry;
    case kRelativePathStyle:
      return RelativePathText(core.playlist, entry);
    default:
      return std::string(FileNameOf(entry));
  }
}

// What is searched and shown: names that are not UTF-8 in the legacy code
// page.
std::string RowText(const PlaylistCore& core, int index, int style) {
  return TextFromOutside(RowBytes(core, index, style));
}

// Selects a result row, kept within the list, and scrolls it into view.
void SelectResultRow(FindState& find, int row) {
  const int page = std::max(find.rowsPerPage, 1);
  row = std::clamp(row, 0, static_cast<int>(find.rows.size()) - 1);
  find.selectedRow = row;
  if (row < find.topRow) {
    find.topRow = row;
  } else if (row >= find.topRow + page) {
    find.topRow = row - page + 1;
  }
}

bool IsWindowCommandKey(int key) {
  return key == kKeyEnter || key == kKeyInsert || key == kKeyBackQuote || key == kKeyF8 || key == kKeyEscape;
}

// The playlist index of the selected match; -1 when no row is selected (or
// the list lost that entry meanwhile).
int SelectedMatch(const PlaylistCore& core, const FindState& find) {
  const int row = find.selectedRow;
  if (row < 0 || row >= static_cast<int>(find.FoundIndexes.size())) return -1;
  const int index = find.FoundIndexes[row];
  return index < static_cast<int>(core.playlist.PlaylistEntries.size()) ? index : -1;
}

// Scrolls the playlist to `index` and selects it alone. ScrollToCurrent
// works on CurrentIndex, so the match borrows it; the playing mark stays.
void ShowMatchInPlaylist(PlaylistCore& core, int index) {
  int& current = core.playlist.CurrentIndex;
  const int playing = current;
  current = index;
  ScrollToCurrent(core);
  SelectSingle(core, index);
  current = playing;
}

}  // namespace

bool EntryMatchesFind(std::string_view entry, std::string_view text) {
  // The first occurrence only: a text found at the first character (a path's
  // leading "/" or a drive letter) does not match, wherever else it occurs.
  const std::size_t at = FindNoCase(entry, text);
  return at != std::string_view::npos && at > 0;
}

bool ShowFind(const PlaylistCore& core, FindState& find, const std::string& text) {
  find.FindViewStyle = kFileNameStyle;
  if (core.playlist.PlaylistEntries.size() < 2) return false;
  SetFindText(core, find, text);
  return true;
}

void SetFindText(const PlaylistCore& core, FindState& find, std::string text) {
  find.searchText = std::move(text);
  find.FoundIndexes.clear();
  find.rows.clear();
  const auto& entries = core.playlist.PlaylistEntries;
  for (int index = 0; index < static_cast<int>(entries.size()); ++index) {
    if (find.searchText.empty() || EntryMatchesFind(entries[index], find.searchText)) {
      find.FoundIndexes.push_back(index);
      find.rows.emplace_back(FileNameOf(entries[index]));
    }
  }
  find.topRow = 0;
  find.selectedRow = find.rows.empty() ? -1 : 0;
}

void CycleFindViewStyle(const PlaylistCore& core, FindState& find) {
  switch (find.FindViewStyle) {
    case kFileNameStyle:
      find.FindViewStyle = kRelativePathStyle;
      break;
    case kRelativePathStyle:
      find.FindViewStyle = kWholeEntryStyle;
      break;
    default:
      find.FindViewStyle = kFileNameStyle;
      break;
  }
  const int entryCount = static_cast<int>(core.playlist.PlaylistEntries.size());
  for (std::size_t row = 0; row < find.FoundIndexes.size(); ++row) {
    const int index = find.FoundIndexes[row];
    if (index < entryCount) find.rows[row] = RowText(core, index, find.FindViewStyle);
  }
}

bool FindKeyDown(FindState& find, int key, int shift) {
  if (shift != kNoModifier || find.rows.empty() || IsWindowCommandKey(key)) return false;
  const int page = std::max(find.rowsPerPage, 1);
  const int selected = find.selectedRow;
  switch (key) {
    case kKeyDown:
      SelectResultRow(find, selected + 1);
      return true;
    case kKeyUp:
      SelectResultRow(find, selected - 1);
      return true;
    case kKeyPageUp: {
      const int top = find.topRow;
      SelectResultRow(find, selected == top ? selected - page : top);
      return true;
    }
    case kKeyPageDown: {
      const int bottom = std::min(find.topRow + page - 1, static_cast<int>(find.rows.size()) - 1);
      SelectResultRow(find, selected == bottom ? selected + page : bottom);
      return true;
    }
    default:
      SelectResultRow(find, 0);
      return false;
  }
}

void FindPlay(PlaylistCore& core, const FindState& find) {
  const int index = SelectedMatch(core, find);
  if (index < 0) return;
  core.listView.ClearSelection();
  core.playlist.CurrentIndex = index;
  ScrollToCurrent(core);
  SelectSingle(core, index);
  core.playback.PlayEntry(index);
}

void FindQueue(PlaylistCore& core, const FindState& find) {
  const int index = SelectedMatch(core, find);
  if (index < 0) return;
  core.listView.ClearSelection();
  ShowMatchInPlaylist(core, index);
  ToggleQueued(core.playlist, core.playlist.PlaylistEntries[index]);
  core.ui.ListViewChanged();
  // Like the queue key in the list: the next press queues the next row.
  const int focused = core.listView.focusedRow;
  if (focused < core.listView.RowCount() - 1) SelectSingle(core, focused + 1);
}

void FindJump(PlaylistCore& core, const FindState& find) {
  const int index = SelectedMatch(core, find);
  if (index < 0) return;
  ShowMatchInPlaylist(core, index);
  UpdateListView(core, true, false);
}

void CloseFind(FindState& find) {
  find.FoundIndexes.clear();
  find.rows.clear();
  find.selectedRow = -1;
  find.topRow = 0;
}

}  // namespace tarvo
