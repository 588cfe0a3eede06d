// Tells the desktop that the file associations changed: the cache of MIME
// types that "Open with" lists read is rebuilt for an applications folder.
#pragma once

#include <string>

namespace tarvo {

// Runs "update-desktop-database -q FOLDER" and waits for it (it reads one
// folder of desktop entries, a matter of milliseconds). Does nothing when the
// tool is not installed or the folder does not exist. Window thread, or the
// program's only thread during the command-line switches.
void UpdateDesktopDatabase(const std::string& applicationsFolder);

}  // namespace tarvo
