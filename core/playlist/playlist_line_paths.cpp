#include "playlist/playlist_line_paths.h"

#include <algorithm>

#include "base/text.h"
#include "playlist/entry.h"

namespace tarvo {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// "C:/...", "http://...", "file:/...": letters, ":" and "/".
bool StartsWithSchemeOrDrive(std::string_view line) {
  std::size_t letters = 0;
  while (letters < line.size() && IsAsciiLetter(line[letters])) ++letters;
  return letters > 0 && letters + 1 < line.size() && line[letters] == ':' && line[letters + 1] == '/';
}

bool BackslashSeparates(std::string_view location, Backslashes backslashes) {
  switch (backslashes) {
    case Backslashes::InNames:
      return false;
    case Backslashes::InWindowsPaths:
      return IsPlainlyWindowsPath(location);
    case Backslashes::Separators:
      return true;
  }
  return false;
}

}  // namespace

bool IsPlainlyWindowsPath(std::string_view location) {
  const bool drive = location.size() > 2 && IsAsciiLetter(location[0]) && location[1] == ':' && location[2] == '\\';
  return drive || StartsWith(location, "\\\\");
}

void BackslashVote::Add(std::string_view location) {
  if (slashSeen_ || location.empty() || IsStreamAddress(location)) return;
  if (location.find('/') != std::string_view::npos) {
    slashSeen_ = true;
  } else if (!backslashSeen_) {
    backslashSeen_ = location.find('\\') != std::string_view::npos;
  }
}

Backslashes BackslashVote::Result() const {
  return backslashSeen_ && !slashSeen_ ? Backslashes::Separators : Backslashes::InWindowsPaths;
}

Backslashes BackslashesOfLines(const std::vector<std::string>& lines) {
  BackslashVote vote;
  for (const std::string& line : lines) {
    vote.Add(EntryLocation(line));
    if (vote.Decided()) break;
  }
  return vote.Result();
}

std::string ResolvePlaylistLine(std::string line, std::string_view playlistFolder, Backslashes backslashes) {
  std::size_t locationEnd = std::min(line.find('|'), line.size());
  // A stream keeps its address and title exactly as written.
  if (IsStreamAddress(std::string_view(line).substr(0, locationEnd))) return line;

  bool folderRelative = false;
  if (BackslashSeparates(std::string_view(line).substr(0, locationEnd), backslashes)) {
    // "\Rock\a.mp3" from a Windows list means the folder of the list, not "/".
    folderRelative = line.size() > 1 && line[0] == '\\' && line[1] != '\\';
    if (folderRelative) {
      line.erase(0, 1);
      --locationEnd;
    }
    std::replace(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(locationEnd), '\\', '/');
  }

  if (!folderRelative && (StartsWith(line, "/") || StartsWithSchemeOrDrive(line))) return line;
  const std::string_view relative = StartsWith(line, "./") ? std::string_view(line).substr(2) : std::string_view(line);
  std::string resolved;
  resolved.reserve(playlistFolder.size() + relative.size());
  resolved.append(playlistFolder);
  resolved.append(relative);
  return resolved;
}

void AppendPlaylistLine(std::string& text, std::string_view location, std::string_view folder) {
  // Only a leading folder is cut, compared exactly: Linux names are
  // case-sensitive, and the same folder text may recur deeper in a path
  // ("/a/b/c/a/b/x.mp3" saved in "/a/b/").
  if (folder.empty() || !StartsWith(location, folder)) {
    text.append(location);
    return;
  }
  const std::string_view rest = location.substr(folder.size());
  const bool dotted = StartsWith(rest, "./") || rest.find('\\') != std::string_view::npos;
  // The "./" that keeps a name from being read as a Windows path must not
  // lengthen a short name holding "://" into a stream address ("./://1\" reads
  // back as one), so such a name is written whole.
  if (StartsWith(rest, "/") || IsStreamAddress(EntryLocation(rest)) || StartsWithSchemeOrDrive(rest) ||
      (dotted && IsStreamAddress("./" + std::string(EntryLocation(rest))))) {
    text.append(location);
    return;
  }
  if (dotted) text.append("./");
  text.append(rest);
}

}  // namespace tarvo
