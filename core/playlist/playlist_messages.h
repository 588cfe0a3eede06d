// Every text the playlist floor shows the user: its messages, questions and
// progress texts, in one place. "\r" breaks a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvo::playlist_messages {

inline constexpr char kAbortOperation[] = "Abort operation?";
inline constexpr char kCantOpenFolder[] = "Can't open this folder.";
inline constexpr char kNoMusicFiles[] = "No music files found in given folder.";
inline constexpr char kOpenFolderFirst[] = "Open a folder first.";
inline constexpr char kSelectTwoFiles[] = "Please select or queue at least two files first.";
inline constexpr char kNoFileForFolder[] = "No file selected to open its folder.";
inline constexpr char kTriedToRecycle[] = "Tried to recycle file:";
// The one-line input window of the entry editor.
inline constexpr char kEditEntryCaption[] = "Edit playlist entry";
inline constexpr char kEditEntryPrompt[] = "Entry";

// Progress in status panel 3 and panel 1.
inline constexpr char kOpening[] = "Opening...";
inline constexpr char kOpeningAbortable[] = "Opening... Press ESC to abort";
inline constexpr char kRefreshingAbortable[] = "Refreshing... Press ESC to abort";
inline constexpr char kWaiting[] = "Waiting...";

// An internal failure that should not happen: "Error 11\r\rPlease report
// this error." (11 folder scan, 12 text playlist read, 13 refresh).
inline std::string InternalError(int number) {
  return "Error " + std::to_string(number) + "\r\rPlease report this error.";
}

inline std::string ReplaceExistingQuestion(std::string_view fileName) {
  return std::string(fileName) + " already exists.\rDo you want to replace it?";
}

inline std::string CantShowFolder(std::string_view folder) {
  return "Can't show this folder in the file manager:\r" + std::string(folder);
}

// "Move this file to the trash?" with its name, or the count of several.
inline std::string TrashQuestion(const std::vector<std::string>& names) {
  if (names.size() == 1) return "Move this file to the trash?\r\r" + names.front();
  return "Move these " + std::to_string(names.size()) + " files to the trash?";
}

inline std::string MissingFilesRemoved(int removed) { return std::to_string(removed) + " missing file(s) removed."; }

inline std::string NewFilesFound(int added, std::string_view folder) {
  return std::to_string(added) + " new file(s) found in:\r\r" + std::string(folder);
}

inline std::string CalculatingTime(int measured, std::size_t count) {
  return "Calculating time... " + std::to_string(measured) + "/" + std::to_string(count) + " Press ESC to abort";
}

// `time` is FormatTime's m:ss.
inline std::string TotalTime(std::string_view time) { return "Total time: " + std::string(time) + " minutes."; }

}  // namespace tarvo::playlist_messages
