// What the folder browser does with the folder the user chose: open it in
// place of the list or add it after the list. Window thread.
#pragma once

#include <string>

#include "playlist/playlist_core.h"

namespace tarvo {

// OK in the browser: opens (`open`) or adds the folder, then remembers it as
// the last scanned folder for the refresh and the save dialog, unless the
// user aborted the scan.
void OpenChosenFolder(PlaylistCore& core, const std::string& folder, bool open, bool recurse);

// The browser's quick add, which leaves the browser open: in a browser shown
// to open a folder the first quick add replaces the list and later ones
// append; in one shown to add a folder every one appends.
void QuickAddFolder(PlaylistCore& core, const std::string& folder, bool openVariant, bool alreadyQuickAdded,
                    bool recurse);

}  // namespace tarvo
