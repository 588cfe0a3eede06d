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
std::optional<std::vector<std::string>> ReadPlaylistLines(const std::string& path);

}  // namespace tarvo
