// Writing the whole list as a playlist file.
#pragma once

#include <string>

#include "playlist/playlist_core.h"

namespace tarvo {

enum class SaveFormat : int { Text = 0, Pls = 1, M3u = 2 };

// Writes every entry in list order, lines ending in CR LF. Entries inside the
// target's folder are written relative to it, so a playlist moved together
// with its music keeps working. The file is replaced whole through a
// temporary file, so a crash or a full disk leaves the old playlist intact;
// a read-only target is left alone. False when the file was not written;
// most callers ignore it.
bool SavePlaylistFile(const PlaylistCore& core, const std::string& path, SaveFormat format);

}  // namespace tarvo
