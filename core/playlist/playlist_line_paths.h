// How a line of a text, M3U or PLS playlist becomes an entry path.
//
// Linux allows "\" in file names ("AC\DC - Thunder.mp3"), while playlists
// written on Windows use it as the folder separator. Which one a "\" is gets
// decided per file and per line, from the text alone: no line is tested
// against the disk, so a long playlist stays quick to read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

enum class Backslashes {
  // Every "\" is part of a name: the autosaved playlist.
  InNames,
  // Only lines that are plainly Windows paths ("C:\...", "\\server\...")
  // use "\" as separator.
  InWindowsPaths,
  // The playlist uses "\" throughout: every "\" of a file line separates.
  Separators,
};

// A drive path ("C:\...") or a network path ("\\server\...").
bool IsPlainlyWindowsPath(std::string_view location);

// Decides for one playlist from the locations of its file lines: Separators
// when some line holds a "\" and none holds a "/", else InWindowsPaths.
// Stream addresses and empty lines have no say. Stops at the first "/", so
// a list of absolute paths costs nothing.
class BackslashVote {
 public:
  void Add(std::string_view location);
  bool Decided() const { return slashSeen_; }
  Backslashes Result() const;

 private:
  bool slashSeen_ = false;
  bool backslashSeen_ = false;
};

// The whole-line vote over `lines`, each a location with an optional "|"
// and title.
Backslashes BackslashesOfLines(const std::vector<std::string>& lines);

// Turns one line into an entry. Where "\" separates (see above), it becomes
// "/", and a line starting with a single "\" is taken relative to the
// playlist's folder rather than to the root. A line is kept as it stands when
// it is absolute ("/..."), starts with a scheme or drive prefix ("http:/",
// "C:/") or is a stream address; anything else is put behind
// `playlistFolder` (which ends in "/"), a leading "./" dropped.
std::string ResolvePlaylistLine(std::string line, std::string_view playlistFolder, Backslashes backslashes);

// Appends to `text` the line a writer puts down for `location` (an entry or
// its location) in a playlist kept in `folder`, so that the rules above read
// it back unchanged. Inside the folder the line is relative; a name holding
// "\" or starting with "./" gets a leading "./", which also keeps the
// playlist from looking like one that uses "\" throughout. A rest that would
// read as something else (absolute, an address, a drive) keeps the whole
// location.
void AppendPlaylistLine(std::string& text, std::string_view location, std::string_view folder);

}  // namespace tarvo
