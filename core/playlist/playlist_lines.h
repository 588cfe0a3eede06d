// The lines of a playlist file.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvo {

// Nothing when the file is missing or unreadable. A UTF-8 byte-order mark
// written by other programs would otherwise stick to the first entry, and
// NUL bytes can be part of neither a path nor a title, so both are dropped.
// A file that starts with a UTF-16 byte-order mark (either order) is read as
// UTF-16 text and its lines are given in UTF-8.
//
// Other lines are bytes. Our own autosaved playlist and ".m3u8" files keep
// them as they are (LineText::Bytes). A playlist written by another program
// (LineText::Legacy) has each line that is not UTF-8 read in the user's
// legacy code page (when the user has one), unless the line names a file
// that exists under its bytes (Linux file names are bytes: one copied from an old disk keeps them,
// and our own saves write them back unchanged).
enum class LineText { Bytes, Legacy };
std::optional<std::vector<std::string>> ReadPlaylistLines(const std::string& path, LineText text = LineText::Bytes);

}  // namespace tarvo
