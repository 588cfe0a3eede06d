// Where Tarvo keeps its files ("Tarvo.ini", "Playlist.txt", "Favorites", ...).
#pragma once

#include <string>

namespace tarvo {

// $TARVO_HOME when set; else the program's folder when it already holds a
// "Tarvo.ini" (a portable copy); else $XDG_CONFIG_HOME/tarvo (default
// ~/.config/tarvo).
// The folder is created when missing. The result ends in "/".
std::string ResolveHomeFolder(const std::string& programFolder);

// The folder of the running program, without a trailing "/".
std::string ProgramFolder();

// The full path of the running program file.
std::string ProgramPath();

}  // namespace tarvo
