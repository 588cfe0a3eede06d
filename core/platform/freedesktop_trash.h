// The freedesktop.org trash: files go to "files/" of a trash folder and a
// "info/NAME.trashinfo" beside it records where they came from and when, so
// any desktop's file manager can list and restore them.
#pragma once

#include <string>

#include "platform/desktop_services.h"

namespace tarvo {

// The home trash: $XDG_DATA_HOME/Trash, or ~/.local/share/Trash.
std::string HomeTrashFolder();

// Moves the file (or symbolic link, never its target) at `path` into the
// trash of its file system: the home trash when the file lives on the same
// file system, otherwise the trash at the top of the file's own file system
// ($topdir/.Trash/$uid when an administrator set it up, else
// $topdir/.Trash-$uid). Nothing is ever copied, so a failure leaves the file
// untouched; the outcome then says why. Window thread; blocks for the file
// system only.
TrashOutcome MoveToFreedesktopTrash(const std::string& path);

// A path as the "Path=" key stores it: every byte other than "/" and the
// unreserved characters of a URI written as %XX.
std::string TrashInfoPathText(const std::string& path);

}  // namespace tarvo
