#include "playlist/formats_read.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

#include "base/text.h"
#include "platform/file_io.h"
#include "playlist/entry.h"
#include "playlist/model.h"
#include "playlist/playlist_lines.h"
#include "playlist/playlist_messages.h"
#include "playlist/playlist_prefetch.h"

namespace tarvo {

namespace messages = playlist_messages;

namespace {

// The internal error a text playlist that can't be read reports.
constexpr int kTextPlaylistReadError = 12;
// Locations taken from "key=value" lines are cut to this many bytes.
constexpr std::size_t kMaxLocationBytes = 1000;

using Lines = std::vector<std::string>;

// Makes room for `extra` more entries at once rather than growing per entry;
// repeated small loads still grow geometrically.
void ReserveEntries(std::vector<std::string>& entries, std::size_t extra) {
  const std::size_t needed = entries.size() + extra;
  if (needed > entries.capacity()) entries.reserve(std::max(needed, entries.capacity() + entries.capacity() / 2));
}

// The text after the first "=", or the whole line when it has none.
std::string_view ValueOf(std::string_view line) {
  const std::size_t equals = line.find('=');
  return equals == std::string_view::npos ? line : line.substr(equals + 1);
}

// The text between the first and the last double quote; empty when the line
// has fewer than two.
std::string_view BetweenOuterQuotes(std::string_view line) {
  const std::size_t first = line.find('"');
  const std::size_t last = line.rfind('"');
  if (first == std::string_view::npos || last == first) return {};
  return line.substr(first + 1, last - first - 1);
}

// The text between the first two double quotes; empty when the line has
// fewer than two.
std::string_view BetweenFirstQuotes(std::string_view line) {
  const std::size_t first = line.find('"');
  if (first == std::string_view::npos) return {};
  const std::size_t second = line.find('"', first + 1);
  if (second == std::string_view::npos) return {};
  return line.substr(first + 1, second - first - 1);
}

// The text between `open` and the following `close` (case-insensitive tags);
// nothing when `open` is missing, up to the end when `close` is.
std::optional<std::string_view> BetweenTags(std::string_view line, std::string_view open, std::string_view close,
                                            bool needClose) {
  const std::size_t start = FindNoCase(line, open);
  if (start == std::string_view::npos) return std::nullopt;
  const std::size_t from = start + open.size();
  const std::size_t end = FindNoCase(line, close, from);
  if (end == std::string_view::npos) {
    if (needClose) return std::nullopt;
    return std::string_view();
  }
  return line.substr(from, end - from);
}

std::string StreamEntry(std::string location, std::string_view title) {
  location += '|';
  location += title;
  return location;
}

bool IsStreamLocation(std::string_view location) { return EntryKindOf(location) == EntryKind::Stream; }

void AppendAllLinesResolved(std::vector<std::string>& entries, Lines& lines, std::string_view folder) {
  ReserveEntries(entries, lines.size());
  const Backslashes backslashes = BackslashesOfLines(lines);
  for (std::string& line : lines) entries.push_back(ResolvePlaylistLine(std::move(line), folder, backslashes));
}

// An empty list takes the read entries whole, without touching each string
// again (the start-up load of a 100,000-entry playlist).
void AppendEntries(std::vector<std::string>& entries, Lines&& read) {
  if (entries.empty()) {
    entries.swap(read);
    return;
  }
  ReserveEntries(entries, read.size());
  std::move(read.begin(), read.end(), std::back_inserter(entries));
}

// Extended M3U: the line after each "#EXTINF:" line is an entry; a stream
// keeps the text after the first comma of the "#EXTINF:" line as its title.
void AppendExtendedM3u(std::vector<std::string>& entries, const Lines& lines, std::string_view folder) {
  // Only the file lines vote: titles often hold a "/" ("AC/DC").
  BackslashVote vote;
  for (std::size_t i = 0; i + 1 < lines.size() && !vote.Decided(); ++i) {
    if (ContainsNoCase(lines[i], "#extinf:")) vote.Add(lines[i + 1]);
  }
  const Backslashes backslashes = vote.Result();
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::string& info = lines[i];
    if (!ContainsNoCase(info, "#extinf:")) continue;
    const std::string& next = lines[i + 1];
    std::string entry = ResolvePlaylistLine(next, folder, backslashes);
    if (IsStreamLocation(next)) {
      const std::size_t comma = info.find(',');
      const std::string_view title =
          comma == std::string::npos ? std::string_view(info) : std::string_view(info).substr(comma + 1);
      entry = StreamEntry(std::move(entry), title);
    }
    entries.push_back(std::move(entry));
  }
}

}  // namespace

std::optional<std::vector<std::string>> ReadTextPlaylistEntries(const std::string& path, PlaylistOrigin origin) {
  std::optional<Lines> lines =
      ReadPlaylistLines(path, origin == PlaylistOrigin::Autosave ? LineText::Bytes : LineText::Legacy);
  if (!lines) return std::nullopt;
  const std::string_view folder = FolderOf(path);
  const Backslashes backslashes =
      origin == PlaylistOrigin::Autosave ? Backslashes::InNames : BackslashesOfLines(*lines);
  for (std::string& line : *lines) line = ResolvePlaylistLine(std::move(line), folder, backslashes);
  return lines;
}

void ReadTextPlaylist(PlaylistCore& core, const std::string& path) {
  if (!FileExists(path) && !FolderExists(path)) return;
  const PlaylistOrigin origin = path == PlaylistAutosaveFile(core) ? PlaylistOrigin::Autosave : PlaylistOrigin::Other;
  std::optional<Lines> read;
  if (core.playlistPrefetch && origin == PlaylistOrigin::Autosave) read = core.playlistPrefetch->Take(path);
  if (!read) read = ReadTextPlaylistEntries(path, origin);
  if (read) {
    AppendEntries(core.playlist.PlaylistEntries, std::move(*read));
  } else {
    // A folder or a file we may not read: the list keeps what it had.
    ShowMessageBox(core, MessageKind::Error, messages::InternalError(kTextPlaylistReadError));
  }
  UpdateListView(core, false, false);
  // A following refresh then uses the folder of the first entry.
  core.playlist.LastScannedFolder.clear();
  const int current = core.playlist.CurrentIndex;
  if (current >= 0 && current < static_cast<int>(core.playlist.PlaylistEntries.size())) {
    SelectSingle(core, current);
    ScrollToCurrent(core);
  }
}

void ReadM3u(PlaylistCore& core, const std::string& path) {
  // ".m3u8" says UTF-8 in its name.
  std::optional<Lines> lines =
      ReadPlaylistLines(path, AsciiLowerCopy(ExtensionOf(path)) == ".m3u8" ? LineText::Bytes : LineText::Legacy);
  if (!lines || lines->empty()) return;
  auto& entries = core.playlist.PlaylistEntries;
  const std::string_view folder = FolderOf(path);
  if (ContainsNoCase(lines->front(), "#extm3u")) {
    ReserveEntries(entries, lines->size() / 2);
    AppendExtendedM3u(entries, *lines, folder);
  } else {
    // A plain list: every line is an entry, blank and "#" lines included.
    AppendAllLinesResolved(entries, *lines, folder);
  }
}

void ReadPls(PlaylistCore& core, const std::string& path) {
  std::optional<Lines> lines = ReadPlaylistLines(path, LineText::Legacy);
  if (!lines) return;
  auto& entries = core.playlist.PlaylistEntries;
  const std::string_view folder = FolderOf(path);
  ReserveEntries(entries, lines->size() / 2);
  // Any line mentioning "file" is a file line, even a title line that does.
  auto isFileLine = [](std::string_view line) { return ContainsNoCase(line, "file"); };
  BackslashVote vote;
  for (const std::string& line : *lines) {
    if (isFileLine(line)) vote.Add(ValueOf(line));
    if (vote.Decided()) break;
  }
  const Backslashes backslashes = vote.Result();
  for (std::size_t i = 0; i < lines->size(); ++i) {
    if (!isFileLine((*lines)[i])) continue;
    std::string location(TruncateUtf8(ValueOf((*lines)[i]), kMaxLocationBytes));
    if (!IsStreamLocation(location)) {
      entries.push_back(ResolvePlaylistLine(std::move(location), folder, backslashes));
      continue;
    }
    // Only the title line directly after its file line counts.
    std::string title = location;
    if (i + 1 < lines->size() && ContainsNoCase((*lines)[i + 1], "title")) title = ValueOf((*lines)[i + 1]);
    entries.push_back(StreamEntry(std::move(location), title));
  }
}

void ReadAsx(PlaylistCore& core, const std::string& path) {
  std::optional<Lines> lines = ReadPlaylistLines(path, LineText::Legacy);
  if (!lines) return;
  // One title for the whole file: the last <title> wins.
  std::string playlistTitle;
  for (const std::string& line : *lines) {
    if (const auto title = BetweenTags(line, "<title>", "</title>", true)) playlistTitle = *title;
  }
  auto& entries = core.playlist.PlaylistEntries;
  ReserveEntries(entries, lines->size() / 2);
  for (const std::string& line : *lines) {
    std::string_view location;
    if (ContainsNoCase(line, "<ref")) {
      location = BetweenOuterQuotes(line);
    } else if (FindNoCase(std::string_view(line).substr(0, 3), "ref") == 0 && line.find('=') != std::string::npos) {
      // The INI-style variant: "Ref1=http://...".
      location = TruncateUtf8(ValueOf(line), kMaxLocationBytes);
    }
    // A reference without a location would only add an empty row.
    if (location.empty()) continue;
    if (!IsStreamLocation(location)) {
      entries.emplace_back(location);
      continue;
    }
    entries.push_back(StreamEntry(std::string(location), playlistTitle.empty() ? location : playlistTitle));
  }
}

void ReadB4s(PlaylistCore& core, const std::string& path) {
  std::optional<Lines> lines = ReadPlaylistLines(path, LineText::Legacy);
  if (!lines) return;
  auto& entries = core.playlist.PlaylistEntries;
  ReserveEntries(entries, lines->size() / 2);
  for (std::size_t i = 0; i < lines->size(); ++i) {
    const std::string& line = (*lines)[i];
    if (!ContainsNoCase(line, "playstring")) continue;
    // Kept as written: a "file:" prefix stays part of the entry.
    const std::string_view location = BetweenFirstQuotes(line);
    if (location.empty()) continue;
    if (!IsStreamLocation(location)) {
      entries.emplace_back(location);
      continue;
    }
    std::string_view title = location;
    if (i + 1 < lines->size()) {
      if (const auto name = BetweenTags((*lines)[i + 1], "<name>", "</name>", false)) title = *name;
    }
    entries.push_back(StreamEntry(std::string(location), title));
  }
}

}  // namespace tarvo
