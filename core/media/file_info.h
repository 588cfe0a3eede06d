// The file information command (F2) and the window it opens for one file:
// which window the selection calls for, the facts shown about the file, the
// tidy rule for a new name, the rename (a playing file goes on at the same
// place under its new name), the ID3v1 tag view; and the properties command
// (Alt+Enter). Window thread.
#pragma once

#include <string>
#include <string_view>

#include "playlist/playlist_core.h"

namespace tarvo {

enum class FileInfoWindow {
  // Nothing to open; a message has been shown when one was due.
  None,
  // One stream entry: the stream editor.
  StreamEditor,
  // One file that exists: the file information window.
  FileInformation,
  // Several file entries: the multiple filename renamer.
  Renamer,
};

// What F2 opens for the selection and the focused row. Shows "File not
// found." for a focused entry without a file and the invalid-request
// message for a stream among several selected rows.
FileInfoWindow ChooseFileInfoWindow(PlaylistCore& core);

// The memo text of the file information window: folder, size, format, codec and
// length, lines ending in CR LF.
std::string FileInfoText(PlaylistCore& core, const std::string& path);

// The "&R" button: "_" and "%20" become spaces, then each run of spaces
// shrinks three times by halving (up to eight spaces become one).
std::string TidyFileName(std::string_view name);

// The tag button is offered for ".mp3" files and for the kinds whose tags
// TagLib reads (FLAC, Opus, the MP4 family, ADTS AAC), in any letter case.
bool HasTagButton(std::string_view path);
// "View MP3 tags" for ".mp3" files, "View tags" for the others.
std::string TagViewCaption(std::string_view path);

enum class RenameOutcome {
  // The new path equals the old one; nothing was touched.
  Unchanged,
  Renamed,
  // The new name has no extension; the window stays open for a correction.
  NeedsExtension,
  // The file is gone, the target names another file, or the system
  // refused: "Can't rename file." has been shown and no entry changed.
  Refused,
};

// The OK button: renames the file of row `index` to `newName` in its folder.
// A playing entry starts again under its new name at the position it had
// reached (and stays paused when it was paused). Never replaces a file.
RenameOutcome RenameEntryFile(PlaylistCore& core, int index, const std::string& newName);

// The "View MP3 tags" text of an ".mp3" file's ID3v1 tag, labels with empty
// values when there is none; for every other file the fields of its tags
// (Vorbis comments, MP4 atoms, ID3v2, APE) as "KEY: value" lines. NULs in the
// fields show as spaces.
std::string TagViewText(const std::string& path);

// Alt+Enter: asks the file manager for the properties of the focused file
// entry; nothing when there is no focused row or no desktop.
void PropertiesAc(PlaylistCore& core);

}  // namespace tarvo
