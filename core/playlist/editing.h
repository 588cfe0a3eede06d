// The commands that change the playlist or act on its entries as files:
// removing, trashing, cropping, the clipboard, editing one entry, moving
// rows, removing missing files, refreshing, adding files, total playing time
// and the file manager. Each is a command of the main window; all run on the
// window thread and re-synchronise the list view once.
//
// Commands that need the desktop (clipboard, trash, file manager) do nothing
// when `core.desktop` is not set.
#pragma once

#include <string>
#include <vector>

#include "playlist/playlist_core.h"

namespace tarvo {

// Delete: removes the selected rows. The playing entry keeps its mark when
// rows above it go and loses it when its own row goes; playback goes on.
// Each removed row takes the first equal element out of the queue.
void DeleteAc(PlaylistCore& core);

// Shift+Delete: after the user agreed, moves the selected files to the trash
// and removes from the list those the trash took. A file the trash refused
// stays in the list, and the refusals are reported.
void RealDelAc(PlaylistCore& core);

// Ctrl+Delete: keeps only the selected rows, or with fewer than two selected
// only the queued entries (in queue order, emptying the queue).
void CropAc(PlaylistCore& core);

// Ctrl+C, Ctrl+X: the selected entries as clipboard text, each followed by
// CR LF; cut then removes them like DeleteAc.
void CopyAc(PlaylistCore& core);
void CutAc(PlaylistCore& core);

// Ctrl+V: inserts the clipboard's lines before the focused row. Lines may end
// in LF or CR LF; a last line without a line end counts too.
void PastAc(PlaylistCore& core);

// Shift+F2: edits the focused entry's text in the one-line input window.
void ListEntryAc(PlaylistCore& core);

// Ctrl+Up, Ctrl+Down: moves the selected rows one place; nothing when a
// selected row is already at that end.
void MoveSelectedRows(PlaylistCore& core, bool up);

// Alt+Delete: removes the entries whose file does not exist (streams count
// as missing) and says how many went.
void BrokenFilesAc(PlaylistCore& core);

// F5: removes missing files, then adds the music files of the last opened
// folder (or of the first entry's folder) that are not in the list yet.
void RefreshAc(PlaylistCore& core);

// Ctrl+N: empties the list, the queue and the shuffle history.
void NewListAc(PlaylistCore& core);

// Ctrl+Shift+C: empties the queue and the shuffle history.
void ClearShuffleHistoryAc(PlaylistCore& core);

// Ctrl+L: adds the files picked in an open dialog; playlist files are read,
// everything else is sorted and appended.
void OpenFileAc(PlaylistCore& core);

// Files and folders dropped on the window: folders are added with their
// subfolders, playlist files are read, other files are sorted and appended.
// The window brings itself to the front afterwards.
void DropFiles(PlaylistCore& core, const std::vector<std::string>& paths);

// Ctrl+Alt+T: adds up the playing time of the selected files and shows it;
// Esc asks whether to abort.
void TotalTimeAc(PlaylistCore& core);

// Ctrl+E: shows the focused entry's folder (with an empty list, the playing
// entry's) in the file manager.
void ExplorerFile(PlaylistCore& core);
// Ctrl+Alt+E: shows the home folder in the file manager.
void ExplorerExe(PlaylistCore& core);

// Tray menu: puts the playing entry's file name and CR LF on the clipboard.
void CopyPlAc(PlaylistCore& core);

}  // namespace tarvo
