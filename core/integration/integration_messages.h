// Every text the integration floor shows the user: the favourites', the
// music folder choice's and the sleep timer's messages, questions and
// captions, in one place. "\r" breaks a line.
#pragma once

namespace tarvo::integration_messages {

// Favourites.
inline constexpr char kEmptyPlaylistMessage[] = "Your playlist is empty, please add some files first.";
inline constexpr char kAddCaption[] = "Add playlist to favorites";
inline constexpr char kRenameCaption[] = "Edit playlist title";
inline constexpr char kNamePrompt[] = "Name";
inline constexpr char kReplaceQuestion[] =
    "A playlist with the same name already exists.\rWould you like to replace the existing file?";
inline constexpr char kSaveError[] =
    "Your playlist could not be saved.\r\rThe title may not have any of the following characters:\r"
    "\\ / : ? \" <> |";
inline constexpr char kDeleteQuestion[] = "Are you sure you want to delete the selected item(s)?";

// The music folder choice.
inline constexpr char kMusicFolderCaption[] = "Set your music folder";
inline constexpr char kMusicFolderInstruction[] =
    "Please select the folder containing all your music files.\rFor example: c:\\my files\\mp3\\";
inline constexpr char kDesktopRefused[] =
    "The desktop is an invalid folder.\r\rIf you don't have a music folder yet or you don't know, choose Cancel.\r"
    "You can always set your music folder another time.";

// The sleep timer.
inline constexpr char kNoValidEntry[] = "No valid entry.";
inline constexpr char kSleepTimerAborted[] = "Sleep timer aborted.";

}  // namespace tarvo::integration_messages
