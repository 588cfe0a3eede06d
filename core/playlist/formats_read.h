// Reading playlist files: the program's own text playlist, M3U (plain and
// extended), PLS, ASX and B4S. Each reader appends the entries of one file to
// the end of the list; none of them empties it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core.h"

namespace tarvo {

// Turns one line of a text, M3U or PLS playlist into an entry. Lines written
// on Windows use "\" as separator; a line starting with a single "\" is taken
// relative to the playlist's folder rather than to a drive root. A line is
// kept as it stands when it is absolute ("/..."), starts with a scheme or
// drive prefix ("http:/", "C:/") or is a stream address; anything else is
// put behind `playlistFolder` (which ends in "/").
std::string ResolvePlaylistLine(std::string line, std::string_view playlistFolder);

// The entries of a text playlist: its lines, each resolved as above; nothing
// when the file cannot be read. Safe on any thread.
std::optional<std::vector<std::string>> ReadTextPlaylistEntries(const std::string& path);

// The program's own format, also used for the autosaved playlist: one whole
// entry per line. A missing file adds nothing; a file that exists but cannot
// be read shows "Error 12". Afterwards the view is rebuilt and the current
// row shown.
void ReadTextPlaylist(Core& core, const std::string& path);

// The other readers add nothing, silently, when the file is missing or
// unreadable, and leave the view to the caller.
void ReadM3u(Core& core, const std::string& path);
void ReadPls(Core& core, const std::string& path);
void ReadAsx(Core& core, const std::string& path);
void ReadB4s(Core& core, const std::string& path);

}  // namespace tarvo
