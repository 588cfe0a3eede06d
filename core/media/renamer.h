// The multiple filename renamer: one find-and-replace rule over the file
// names of the selected entries, its preview, and the rename of the files
// with the playlist following. Window thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "playlist/playlist_core.h"

namespace tarvo {

// The selected rows and their entries, in list order, copied when the
// renamer window is shown.
struct RenamerSelection {
  std::vector<int> rows;
  std::vector<std::string> entries;
};

RenamerSelection CopySelection(const PlaylistCore& core);

// The rule over one file name: `replace` "[case]" capitalises the first
// letter and every letter after a space; otherwise every `find` (ASCII
// letters in either case) becomes `replace`, or with an empty `find`
// `replace` goes in front.
std::string RenamedFileName(std::string_view name, std::string_view find, std::string_view replace);

// Each entry's folder with its renamed file name.
std::vector<std::string> PreviewPaths(const std::vector<std::string>& entries, std::string_view find,
                                      std::string_view replace);

// The rename-all button after the user agreed. Stops with a warning, before
// any file is touched, when a new name would be empty or "?" or when two
// entries would get the same new path. Otherwise stops the playing entry
// when it is selected, renames every file whose path changes (never over
// another file), gives the entries their new paths and shows the count.
// A file whose rename was refused keeps its entry; an entry without a file
// takes its new path. False when it stopped.
bool ApplyRenames(PlaylistCore& core, const RenamerSelection& selection, std::string_view find, std::string_view replace);

// The tools menu item: with at most one selected row says to select
// several first and returns false.
bool CheckRenamerSelection(PlaylistCore& core);

}  // namespace tarvo
