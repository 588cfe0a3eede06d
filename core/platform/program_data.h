// The program's own installed files: the binary and its data folder, which
// holds "Documentation.html". Installed, the data folder is
// <prefix>/share/tarvo/ beside <prefix>/bin/tarvo; a build keeps the same
// shape (build/share/tarvo/ beside build/app/tarvo reaches it by "..").
#pragma once

#include <cstdint>
#include <string>

namespace tarvo {

// <folder of the program>/../share/tarvo/, ending in "/".
std::string ProgramDataFolder();
// The same rule for a program in `programFolder`.
std::string ProgramDataFolderFor(const std::string& programFolder);

// The full file name of the running program.
std::string ProgramFile();

// Bytes of the program file and of every file in the data folder and its
// subfolders; files that can't be read count 0.
std::int64_t ProgramPackageBytes();

}  // namespace tarvo
