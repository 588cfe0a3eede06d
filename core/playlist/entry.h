// A playlist entry is a plain string: a file path, or a stream address
// followed by "|" and a display title. Everything known about an entry is
// computed from that string when it is needed; nothing is cached.
#pragma once

#include <string>
#include <string_view>

#include "base/path_parts.h"

namespace tarvo {

// Callers also compare the values numerically (below Stream: playable file).
enum class EntryKind : int {
  Unsupported = -1,
  Audio = 0,
  Module = 1,
  Stream = 2,
  M3uList = 3,
  PlsList = 4,
  AsxList = 5,
  B4sList = 6,
  TxtList = 7,
};

inline bool IsPlaylistKind(EntryKind kind) {
  return kind >= EntryKind::M3uList && kind <= EntryKind::TxtList;
}

EntryKind EntryKindOf(std::string_view entry);

// The text before the first "|", or the whole entry.
std::string_view EntryLocation(std::string_view entry);

// The text after the first "|" (at most 1000 bytes), or the whole entry.
std::string_view EntryTitle(std::string_view entry);

// A stream location: longer than 6 characters and containing "://".
bool IsStreamAddress(std::string_view location);

}  // namespace tarvo
