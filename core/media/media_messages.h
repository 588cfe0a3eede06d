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

inline constexpr char kSelectMultipleFirst[] = "Select multiple items first, then press F2.";

inline std::string FileNotFound(std::string_view entry) { return "File not found.\r\r" + std::string(entry); }

// The renamer's refusals and result.
inline std::string CantRenameTo(std::string_view fileName, std::string_view name) {
  return "You want to rename\r" + std::string(fileName) + "\rto '" + std::string(name) + "'.\rThat's not possible.";
}
inline std::string CantRenameBothTo(std::string_view first, std::string_view second, std::string_view name) {
  return "You want to rename\r" + std::string(first) + "\rand\r" + std::string(second) + "\rto the same name '" +
         std::string(name) + "'.\rThat's not possible.";
}
inline std::string FilesRenamed(int renamed) {
  return std::to_string(renamed) + " files have been renamed.\rCheck your playlist for the updated files.";
}

}  // namespace tarvo::media_messages
