#include "playlist/playlist_lines.h"

#include <string_view>

#include "base/legacy_text.h"
#include "base/path_parts.h"
#include "base/text.h"
#include "base/utf16.h"
#include "platform/file_io.h"

namespace tarvo {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The first pass counts the line feeds: none means CR ends the lines, and
// their number is the number of lines to make room for.
std::size_t CountLineFeeds(std::string_view block) {
  std::size_t count = 0;
  for (std::size_t at = block.find('\n'); at != std::string_view::npos; at = block.find('\n', at + 1)) ++count;
  return count;
}

// Cuts text arriving in blocks into lines. A line may span blocks; the part
// seen so far waits in `pending_`.
class LineSplitter {
 public:
  LineSplitter(std::size_t lineFeeds, std::vector<std::string>& lines)
      // A file with CR line ends only (old Mac editors) would otherwise be
      // one line.
      : lineEnd_(lineFeeds == 0 ? '\r' : '\n'), lines_(lines) {
    lines_.reserve(lines_.size() + lineFeeds + 1);
  }

  void Feed(std::string_view block) {
    if (atFileStart_) {
      atFileStart_ = false;
      if (StartsWith(block, kUtf8ByteOrderMark)) block.remove_prefix(kUtf8ByteOrderMark.size());
    }
    for (;;) {
      const std::size_t end = block.find(lineEnd_);
      if (end == std::string_view::npos) break;
      Emit(block.substr(0, end));
      block.remove_prefix(end + 1);
    }
    pending_.append(block);
  }

  // The text after the last line end is a line too, unless nothing is left
  // of it.
  void Finish() {
    std::string last = Clean(pending_);
    if (!last.empty()) lines_.push_back(std::move(last));
  }

 private:
  void Emit(std::string_view tail) {
    if (pending_.empty()) {
      lines_.push_back(Clean(tail));
    } else {
      pending_.append(tail);
      lines_.push_back(Clean(pending_));
      pending_.clear();
    }
  }

  // NUL never belongs to an entry, nor does CR when LF ends the lines.
  std::string Clean(std::string_view raw) const {
    const bool lineFeedEnds = lineEnd_ == '\n';
    // The usual line: ended by CR LF, nothing else to drop.
    if (lineFeedEnds && !raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    std::string line(raw);
    if (raw.find('\0') != std::string_view::npos) std::erase(line, '\0');
    if (lineFeedEnds && raw.find('\r') != std::string_view::npos) std::erase(line, '\r');
    return line;
  }

  const char lineEnd_;
  std::vector<std::string>& lines_;
  std::string pending_;
  bool atFileStart_ = true;
};

std::vector<std::string> LinesOfText(std::string_view text) {
  std::vector<std::string> lines;
  LineSplitter splitter(CountLineFeeds(text), lines);
  splitter.Feed(text);
  splitter.Finish();
  return lines;
}

// A UTF-16 file is converted whole: its line ends are only found in the
// converted text.
std::optional<std::vector<std::string>> ReadUtf16Lines(const std::string& path, Utf16Order order) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return LinesOfText(Utf16ToUtf8(std::string_view(*bytes).substr(2), order));
}

// A line is a location, a title or a tag; only one whose bytes name an
// existing file (absolute, or beside the playlist) is kept as bytes.
void DecodeLegacyLines(std::vector<std::string>& lines, std::string_view folder) {
  // Without a legacy code page the bytes stay; they are shown as Latin-1.
  if (!HasLegacyCodepage()) return;
  for (std::string& line : lines) {
    if (IsValidUtf8(line)) continue;
    const std::string asBytes = line.starts_with('/') ? line : std::string(folder) + line;
    if (!FileExists(asBytes)) line = TextFromOutside(line);
  }
}

}  // namespace

std::optional<std::vector<std::string>> ReadPlaylistLines(const std::string& path, LineText text) {
  // Two passes through a small buffer: the first finds the line end and the
  // number of lines, the second builds exactly the lines. The file's bytes
  // are never held whole, which keeps a 100,000-line playlist at the memory
  // of its lines.
  std::size_t lineFeeds = 0;
  std::optional<Utf16Order> utf16;
  bool firstBlock = true;
  const bool counted = ForEachFileBlock(path, [&](std::string_view block) {
    if (firstBlock) utf16 = Utf16OrderOf(block);
    firstBlock = false;
    lineFeeds += CountLineFeeds(block);
  });
  if (!counted) return std::nullopt;
  if (utf16) return ReadUtf16Lines(path, *utf16);
  std::vector<std::string> lines;
  LineSplitter splitter(lineFeeds, lines);
  if (!ForEachFileBlock(path, [&splitter](std::string_view block) { splitter.Feed(block); })) return std::nullopt;
  splitter.Finish();
  if (text == LineText::Legacy) DecodeLegacyLines(lines, FolderOf(path));
  return lines;
}

}  // namespace tarvo
