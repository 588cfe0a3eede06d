// The one way files, playlist files and addresses enter the list, from every
// source: dialogs, dropped files, the command line, a second instance,
// favourites, downloaded address playlists and the autosaved playlist.
#pragma once

#include <string>

#include "playlist/playlist_core.h"

namespace tarvo {

enum class LoadMode : int {
  AddToList = 0,          // add-files dialog, downloaded address playlist
  ReplaceList = 1,        // open-playlist command, a favourite, the autosave at start-up
  OpenFromShell = 2,      // the command-line argument of the first instance
  FromOtherInstance = 3,  // a path handed over by a second instance
  DroppedFiles = 4,       // a playlist file dropped on the window
};

// Loads `path` by its kind: a playable file or address becomes an entry, a
// playlist file is read with the reader of its format, anything else is
// ignored. For the shell and a second instance the stored "EnqueueOption"
// (read at each call) decides between playing in an emptied list (0),
// appending without playing (1) and opening the file's folder and playing
// (2). Reports only through the readers' messages.
void LoadIntoPlaylist(PlaylistCore& core, const std::string& path, LoadMode mode);

}  // namespace tarvo
