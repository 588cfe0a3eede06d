#include "playlist/folder_browser.h"

#include "playlist/folder_scan.h"

namespace tarvo {

void OpenChosenFolder(PlaylistCore& core, const std::string& folder, bool open, bool recurse) {
  // An aborted scan leaves the list as it was, and the last folder too.
  if (OpenFolder(core, folder, open, !open, recurse)) core.playlist.LastScannedFolder = folder;
}

void QuickAddFolder(PlaylistCore& core, const std::string& folder, bool openVariant, bool alreadyQuickAdded,
                    bool recurse) {
  const bool replace = openVariant && !alreadyQuickAdded;
  OpenFolder(core, folder, replace, !replace, recurse);
}

}  // namespace tarvo
