// The open-playlist (Ctrl+O) and save-playlist (Ctrl+S) commands.
#pragma once

#include "core.h"

namespace tarvo {

// Asks for a playlist file, starting in the stored "PlaylistFolder", and
// replaces the list with it; the folder of the chosen file is remembered.
void LoadPlayListAc(Core& core);

// Asks for a file name and saves the whole list in the format its extension
// names (".txt", ".m3u" or ".pls", lower case); any other name saves nothing.
void SavePlaylistAc(Core& core);

}  // namespace tarvo
