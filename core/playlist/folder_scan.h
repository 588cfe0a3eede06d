// Opening and adding whole music folders, and the two sort orders.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "playlist/playlist_core.h"
#include "playlist/sorting.h"

namespace tarvo {

// Scans `folder` (with its subfolders when `recurse`), keeps the music files,
// sorts them and puts them in place of the list or after it. Runs on the
// window thread and lets pending events run once per folder; Esc asks whether
// to abort. False when the user aborted it; true otherwise, also when it
// ended with a message.
bool OpenFolder(PlaylistCore& core, const std::string& folder, bool replaceList, bool keepPosition,
                bool recurse);
// The same; the number of music files it put into the list, or nothing when
// the user aborted it.
std::optional<std::size_t> OpenFolderCounting(PlaylistCore& core, const std::string& folder, bool replaceList,
                                              bool keepPosition, bool recurse);

enum class ScanOutcome { Complete, Aborted, Failed };

// Collects the paths in `folder` (with its subfolders when `recurse`), depth
// first in the order the file system lists them, into `found`. Lets pending
// events run once per folder; Esc asks "Abort operation?" and Yes ends the
// scan as Aborted. After Aborted or Failed, `found` holds what was collected.
ScanOutcome ScanFolder(PlaylistCore& core, const std::string& folder, bool recurse, std::vector<std::string>& found);

// ScanFolder as a long operation, once the caller has set the busy cursor and
// its progress text: marks the scan busy (an outer scan stays marked), then
// clears the cursor and the progress panel, and reports a failure as internal
// error `errorNumber`. False when the user aborted.
bool ScanAsLongOperation(PlaylistCore& core, const std::string& folder, bool recurse, std::vector<std::string>& found,
                         int errorNumber);

// The files a folder scan keeps: names ending in "mp3", "wav" or "ogg", and
// names with the extension of FLAC, Opus, Ogg audio, MP4 audio or AAC, in any
// case.
bool IsAcceptedMusicFile(std::string_view path);

// Stores the sort order (1 by file name, otherwise by path) and re-sorts the
// whole list; the playing entry keeps its mark.
void SetSortingWay(PlaylistCore& core, int way);

}  // namespace tarvo
