// The file types Tarvo can be the default program of, by extension, and
// the MIME types the desktop knows each by.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

// The order in which "-reg" and "-unreg" go through them.
inline constexpr std::array<const char*, 9> kAssociationExtensions{"mp3",  "wav", "ogg", "flac", "opus",
                                                                   "m4a",  "aac", "m3u", "pls"};
// Taken back at start-up when another program took them (playlists are not).
inline constexpr std::array<const char*, 7> kAudioAssociationExtensions{"mp3", "wav", "ogg", "flac",
                                                                        "opus", "m4a", "aac"};

// The MIME types of a lower-case extension without a dot; none for an
// extension Tarvo does not open.
std::vector<std::string> MimeTypesOf(std::string_view extension);

// Every MIME type of every extension above, in that order.
std::vector<std::string> AllAssociationMimeTypes();

}  // namespace tarvo
