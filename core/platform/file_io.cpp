#include "platform/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <ctime>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/file_descriptor.h"

namespace tarvo {

namespace {

constexpr std::size_t kFileBlockBytes = 1 << 16;
constexpr time_t kStaleTemporarySeconds = 60;
// mkostemp replaces "XXXXXX" with letters and digits.
constexpr std::size_t kTemporarySuffixLength = 6;

bool IsTemporaryName(std::string_view name, std::string_view prefix) {
  if (name.size() != prefix.size() + kTemporarySuffixLength || name.substr(0, prefix.size()) != prefix) return false;
  for (const char c : name.substr(prefix.size())) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

bool WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = write(fd, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool WriteAllAt(int fd, std::string_view contents, off_t offset) {
  while (!contents.empty()) {
    const ssize_t written = pwrite(fd, contents.data(), contents.size(), offset);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
    offset += written;
  }
  return true;
}


bool ForEachFileBlock(const std::string& path, const std::function<void(std::string_view block)>& take) {
  // Non-blocking, so that a named pipe given as a file is refused below
  // instead of waiting forever for a writer; regular files ignore the flag.
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) return false;
  struct stat info {};
  if (fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  std::vector<char> buffer(kFileBlockBytes);
  for (;;) {
    const ssize_t got = read(file.get(), buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) return true;
    take(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
  }
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::string contents;
  struct stat info {};
  if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) contents.reserve(static_cast<std::size_t>(info.st_size));
  if (!ForEachFileBlock(path, [&contents](std::string_view block) { contents.append(block); })) return std::nullopt;
  return contents;
}

bool WriteFileAtomically(const std::string& requestedPath, std::string_view contents) {
  // A symbolic link keeps pointing at the file: the file it names is replaced.
  char resolved[PATH_MAX];
  const std::string path = realpath(requestedPath.c_str(), resolved) ? std::string(resolved) : requestedPath;
  mode_t mode = 0644;
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) mode = info.st_mode & 07777;

  std::string temporary = path + ".XXXXXX";
  FileDescriptor file(mkostemp(temporary.data(), O_CLOEXEC));
  if (file.get() < 0) return false;
  const bool written = WriteAll(file.get(), contents) && fchmod(file.get(), mode) == 0 &&
                       fsync(file.get()) == 0 && file.Close();
  if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

void RemoveStaleTemporaries(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string prefix = path.substr(slash == std::string::npos ? 0 : slash + 1) + ".";
  DIR* listing = opendir(folder.c_str());
  if (!listing) return;
  const time_t oldEnough = time(nullptr) - kStaleTemporarySeconds;
  while (const dirent* item = readdir(listing)) {
    const std::string_view name = item->d_name;
    if (!IsTemporaryName(name, prefix)) continue;
    const std::string candidate = folder + item->d_name;
    struct stat info {};
    if (lstat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_mtime < oldEnough) {
      unlink(candidate.c_str());
    }
  }
  closedir(listing);
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the flag: a hard link fails on an existing name
  // just the same.
  if (link(from.c_str(), to.c_str()) != 0) return false;
  unlink(from.c_str());
  return true;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace tarvo
