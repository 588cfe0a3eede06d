// Opening and adding whole music folders, and the two sort orders.
#pragma once

#include <string>

#include "core.h"
#include "playlist/sorting.h"

namespace tarvo {

// Scans `folder` (with its subfolders when `recurse`), keeps the music files,
// sorts them and puts them in place of the list or after it. Runs on the
// window thread and lets pending events run once per folder; Esc asks whether
// to abort.
void OpenFolder(Core& core, const std::string& folder, bool replaceList, bool keepPosition,
                bool recurse);

// Stores the sort order (1 by file name, otherwise by path) and re-sorts the
// whole list; the playing entry keeps its mark.
void SetSortingWay(Core& core, int way);

}  // namespace tarvo
