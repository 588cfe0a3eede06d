#include "platform/safe_rename.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

namespace tarvo {

namespace {

bool SameFile(const std::string& first, const std::string& second) {
  struct stat a {};
  struct stat b {};
  if (lstat(first.c_str(), &a) != 0 || lstat(second.c_str(), &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

}  // namespace

bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
  if (!Exists(from)) return false;
  // The kernel refuses an existing target atomically, so no other program
  // can slip a file in between a test and the rename.
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno == EEXIST) {
    // A change of letter case on a case-insensitive file system finds the
    // file itself at the target.
    return SameFile(from, to) && std::rename(from.c_str(), to.c_str()) == 0;
  }
  // File systems without the flag (some network and FUSE ones): test, then
  // rename.
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
  if (Exists(to) && !SameFile(from, to)) return false;
  return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace tarvo
