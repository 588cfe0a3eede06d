// Operations over the one playlist: row texts, the current entry, the queue,
// and keeping the list view in step with the entries.
#pragma once

#include <string>
#include <string_view>

#include "playlist/playlist_core.h"

namespace tarvo {

// The text of row `index` as the list view shows it.
std::string EntryDisplayText(const PlaylistCore& core, int index);

// A path in relative path style: the music folders and the extension removed,
// separators shown as the delimiter.
std::string RelativePathText(const PlaylistState& playlist, std::string_view path);

// CurrentIndex := the first entry equal to PlayingEntry, else -1.
void RelocateCurrent(PlaylistState& playlist);

// Queues or unqueues one entry. Streams and the playing entry are never queued.
void ToggleQueued(PlaylistState& playlist, const std::string& entry);

// The queue command: toggles every selected row, then moves the selection on
// by one row so that repeated presses queue consecutive rows.
void QueueSelectedRows(PlaylistCore& core);

// Empties the queue and the shuffle history.
void ClearHistory(PlaylistState& playlist);

// Re-synchronises the list view after any change of the entries or the view
// format. Never changes CurrentIndex.
void UpdateListView(PlaylistCore& core, bool keepPosition, bool keepSelection);

// Selects row `index` alone and focuses it; ignores rows outside the list.
void SelectSingle(PlaylistCore& core, int index);

// Brings the current row into view: left alone while it is inside the page,
// otherwise placed two rows from the top (the middle in shuffle mode).
void ScrollToCurrent(PlaylistCore& core);

// "0 Files", "1 File", "2 Files", ...
std::string FileCountText(std::size_t count);

// Changes the view format (0 file name, 1 full path, 2 relative path) and
// redraws the list keeping position and selection.
void SetViewFormat(PlaylistCore& core, int format);
// F8: 0 to 1 to 2 to 0.
void CycleViewFormat(PlaylistCore& core);


// The playlist of the last run, "Playlist.txt" in the home folder.
std::string PlaylistAutosaveFile(const PlaylistCore& core);

}  // namespace tarvo
