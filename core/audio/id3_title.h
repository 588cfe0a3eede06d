// The song an ID3v2 tag names, as HLS stations put it in timed metadata at
// the start of their packed-audio segments.
//
// Pure functions, any thread; any bytes are safe.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvo::audio {

// The bytes of the ID3v2 tag `data` starts with (header, frames and
// footer); 0 when it does not start with one.
std::int64_t Id3TagBytes(std::string_view data);

// "Artist - Title" from the tag's TPE1 and TIT2 frames (either alone when
// the other is missing), in UTF-8; nothing when it names neither. `tag` is
// the whole tag, as Id3TagBytes measures it.
std::optional<std::string> Id3Title(std::string_view tag);

}  // namespace tarvo::audio
