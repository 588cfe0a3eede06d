// Reading playlist files: the program's own text playlist, M3U (plain and
// extended), PLS, ASX and B4S. Each reader appends the entries of one file to
// the end of the list; none of them empties it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "playlist/playlist_core.h"
#include "playlist/playlist_line_paths.h"

namespace tarvo {

// The autosaved playlist is always our own: its names are never rewritten.
enum class PlaylistOrigin { Autosave, Other };

// The entries of a text playlist: its lines, each resolved with
// ResolvePlaylistLine; nothing when the file cannot be read. Safe on any
// thread.
std::optional<std::vector<std::string>> ReadTextPlaylistEntries(const std::string& path, PlaylistOrigin origin);

// The program's own format, also used for the autosaved playlist: one whole
// entry per line. A missing file adds nothing; a file that exists but cannot
// be read shows "Error 12". Afterwards the view is rebuilt and the current
// row shown.
void ReadTextPlaylist(PlaylistCore& core, const std::string& path);

// The other readers add nothing, silently, when the file is missing or
// unreadable, and leave the view to the caller.
void ReadM3u(PlaylistCore& core, const std::string& path);
void ReadPls(PlaylistCore& core, const std::string& path);
void ReadAsx(PlaylistCore& core, const std::string& path);
void ReadB4s(PlaylistCore& core, const std::string& path);

}  // namespace tarvo
