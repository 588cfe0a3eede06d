// The lines of a playlist file.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvo {

// Nothing when the file is missing or unreadable. A UTF-8 byte-order mark
// written by other programs would otherwise stick to the first entry, and
// NUL bytes can be part of neither a path nor a title, so both are dropped.
std::optional<std::vector<std::string>> ReadPlaylistLines(const std::string& path);

}  // namespace tarvo
