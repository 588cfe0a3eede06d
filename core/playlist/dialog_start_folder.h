// Where the file dialogs open: never in whatever folder the program was
// started from. Window thread.
#pragma once

#include <string>

#include "playlist/playlist_core.h"

namespace tarvo {

// `lastUsed` when that folder still exists; else the first music folder;
// else the user's home folder. Ends in "/".
std::string DialogStartFolder(const PlaylistCore& core, const std::string& lastUsed);

}  // namespace tarvo
