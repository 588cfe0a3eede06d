// Every text the media floor shows the user in its message boxes, in one
// place. "\r" breaks a line.
#pragma once

#include <string>
#include <string_view>

namespace tarvo::media_messages {

inline constexpr char kInvalidPropertiesRequest[] =
    "Your properties request is invalid.\rPlease select only music items or a single url item.";
inline constexpr char kEndWithExtension[] = "Please end your new filename with an extention (ie \".mp3\" or \".wav\")";
inline constexpr char kCantRename[] = "Can't rename file.";

inline std::string FileNotFound(std::string_view entry) { return "File not found.\r\r" + std::string(entry); }

}  // namespace tarvo::media_messages
