// Paths that come from outside the program (the command line, a desktop
// launcher, a later start handing its file over) in the form the list keeps.
#pragma once

#include <string>

namespace tarvo {

// A "file://" URI (as launchers pass for %U) becomes the path it names, with
// its %-escapes decoded; a relative path is made absolute against
// `workingFolder` (the folder the command ran in) and tidied of "." and ".."
// parts. Stream addresses, absolute paths and an empty text stay as they are.
std::string PathFromOutside(const std::string& argument, const std::string& workingFolder);

// The process's working folder; empty when it cannot be read (it was removed).
std::string WorkingFolder();

}  // namespace tarvo
