// Renaming a file without ever replacing another one.
#pragma once

#include <string>

namespace tarvo {

// Renames `from` to `to` unless `to` already names another file. A target
// that is the same file under another letter case (on a file system that
// ignores case) is renamed. False when the file is missing, the target
// exists or the system refuses; nothing is changed then.
bool RenameWithoutReplacing(const std::string& from, const std::string& to);

}  // namespace tarvo
