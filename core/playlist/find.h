// The find window's logic: narrowing the playlist down by typing, the result
// rows and their selection, and playing, queueing or selecting a match in the
// main list. The window is a thin view over FindState: it shows `rows`,
// forwards the search text and keys, and closes after an action.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "playlist/playlist_core.h"

namespace tarvo {

struct FindState {
  std::string searchText;
  // Element r: the playlist index of the entry shown in result row r.
  std::vector<int> FoundIndexes;
  // The texts of the result rows.
  std::vector<std::string> rows;
  // The selected result row; -1 when none.
  int selectedRow = -1;
  // The result list's scroll position and the whole rows that fit in it;
  // the window keeps `topRow` in step when the user scrolls and sets
  // `rowsPerPage` when the list is resized.
  int topRow = 0;
  int rowsPerPage = 1;
  // 0 whole entry, 1 file name, 2 relative path.
  int FindViewStyle = 1;
};

// The matching rule: `text` occurs in `entry` without regard to case, and
// its first occurrence does not begin at the entry's first character.
bool EntryMatchesFind(std::string_view entry, std::string_view text);

// Prepares the window for `text` (empty from Ctrl+F, the typed character
// from the list). False when the list has fewer than two entries: then the
// window does not open.
bool ShowFind(const PlaylistCore& core, FindState& find, const std::string& text);

// Every change of the search text: the matching entries (all when the text
// is empty) as file names, the first row selected.
void SetFindText(const PlaylistCore& core, FindState& find, std::string text);

// F8: the row texts go file name, relative path, whole entry, file name ...,
// keeping the selection and the scroll position.
void CycleFindViewStyle(const PlaylistCore& core, FindState& find);

// A key pressed in the search field (or in the result list, which hands its
// keys to the field). Down, Up, Page Up and Page Down move the selection and
// return true: they never reach the field. Any other key without modifiers
// selects the first row again and returns false. The window's command keys
// (Enter, Insert, the grave accent, F8, Esc) run their commands instead and
// are left alone here.
bool FindKeyDown(FindState& find, int key, int shift);

// The three ways out of the window; each does nothing to the playlist when no
// result row is selected. Play makes the match current and plays it; queue
// queues or unqueues it and moves the playlist selection past it; jump only
// selects it in the playlist.
void FindPlay(PlaylistCore& core, const FindState& find);
void FindQueue(PlaylistCore& core, const FindState& find);
void FindJump(PlaylistCore& core, const FindState& find);

// The window closed: the result list is emptied.
void CloseFind(FindState& find);

}  // namespace tarvo
