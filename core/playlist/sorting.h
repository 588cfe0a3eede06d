// The two sort orders of the playlist. Both use one quicksort whose exact
// steps decide the order of equal keys, so a list sorts the same way every
// time and in every version.
#pragma once

#include <string>
#include <vector>

namespace tarvo {

// By whole path, ASCII letters without regard to case; a proper prefix sorts
// first.
void SortPaths(std::vector<std::string>& paths);

// By file name (the text after the last "/") only, compared the same way.
void SortByFileName(std::vector<std::string>& paths);

}  // namespace tarvo
