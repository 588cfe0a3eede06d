// The open-playlist (Ctrl+O) and save-playlist (Ctrl+S) commands.
#pragma once

#include "playlist/playlist_core.h"

namespace tarvo {

// Asks for a playlist file, starting in the stored "PlaylistFolder", and
// replaces the list with it; the folder of the chosen file is remembered.
void LoadPlayListAc(PlaylistCore& core);

// Asks for a file name and saves the whole list in the format its extension
// names, in any case (".txt", ".m3u" or ".m3u8", ".pls"). A name with another
// extension, or none, gets the chosen filter's extension added; replacing a
// file of that longer name is asked about first.
void SavePlaylistAc(PlaylistCore& core);

}  // namespace tarvo
