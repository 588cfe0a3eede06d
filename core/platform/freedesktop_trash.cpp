#include "platform/freedesktop_trash.h"

#include <fcntl.h>
#include <pwd.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <optional>
#include <system_error>

#include "base/local_time.h"
#include "base/path_parts.h"
#include "platform/file_io.h"

namespace tarvo {

namespace {

// A trash info file's DeletionDate: local time, "2024-05-01T13:07:42".
constexpr char kDeletionDateFormat[] = "%Y-%m-%dT%H:%M:%S";

// Far more same-named files than any trash holds; ends the search for a free
// name if the file system answers oddly.
constexpr int kMaxNameTries = 100000;

std::string ErrorText(int code) { return std::error_code(code, std::generic_category()).message(); }

TrashOutcome Refused(std::string error) { return {false, std::move(error)}; }

std::string JoinPath(const std::string& folder, const std::string& name) {
  return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates the folder and any missing parents; new folders are private to
// the user, as trash folders must be.
bool MakeFolders(const std::string& folder) {
  struct stat info {};
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    const bool present = stat(part.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    if (!present && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string UserHome() {
  const char* home = getenv("HOME");
  if (home && home[0] == '/') return home;
  const passwd* user = getpwuid(getuid());
  return user && user->pw_dir ? user->pw_dir : "";
}

std::string AbsolutePath(const std::string& path) {
  if (path.starts_with('/')) return path;
  char folder[PATH_MAX];
  if (!getcwd(folder, sizeof folder)) return path;
  return JoinPath(folder, path);
}

// A trash folder with its files/ and info/ in place, or why there is none.
struct TrashFolder {
  std::string path;
  std::string error;
};

TrashFolder PreparedTrash(const std::string& trash) {
  for (const char* part : {"/files", "/info"}) {
    if (!MakeFolders(trash + part)) return {"", "Can't create the trash folder " + trash + ": " + ErrorText(errno)};
  }
  return {trash, ""};
}

// The highest folder above `folder` that is still on `device`: the mount
// point of the file system, where its shared trash lives.
std::string TopFolderOf(const std::string& folder, dev_t device) {
  char resolved[PATH_MAX];
  std::string current = realpath(folder.c_str(), resolved) ? resolved : folder;
  while (current != "/") {
    const std::string up = ParentOf(current);
    struct stat info {};
    if (stat(up.c_str(), &info) != 0 || info.st_dev != device) break;
    current = up;
  }
  return current;
}

bool IsOwnPrivateFolder(const std::string& folder) {
  struct stat info {};
  return lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid();
}

// The trash of another file system: an administrator's $topdir/.Trash (a real
// folder with the sticky bit) holds one folder per user; otherwise the user
// keeps $topdir/.Trash-$uid. Symbolic links are never followed here, so
// nobody can redirect another user's files.
TrashFolder TopFolderTrash(const std::string& topFolder) {
  const std::string uid = std::to_string(getuid());
  const std::string shared = JoinPath(topFolder, ".Trash");
  struct stat info {};
  if (lstat(shared.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX)) {
    const std::string own = JoinPath(shared, uid);
    if ((mkdir(own.c_str(), 0700) == 0 || errno == EEXIST) && IsOwnPrivateFolder(own)) return PreparedTrash(own);
  }
  const std::string own = JoinPath(topFolder, ".Trash-" + uid);
  const std::string refusal = "The file is on the file system at " + topFolder + ", whose trash ";
  if (mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) return {"", refusal + "can't be created: " + ErrorText(errno)};
  if (!IsOwnPrivateFolder(own)) return {"", refusal + own + " is not a folder of this user."};
  return PreparedTrash(own);
}

// The trash on the file's own file system, so that the move is a rename.
TrashFolder TrashFor(dev_t fileDevice, const std::string& fileFolder) {
  const std::string home = HomeTrashFolder();
  if (home.empty()) return {"", "The home folder is not known, so there is no trash."};
  TrashFolder homeTrash = PreparedTrash(home);
  if (!homeTrash.error.empty()) return homeTrash;
  struct stat info {};
  if (stat((home + "/files").c_str(), &info) == 0 && info.st_dev == fileDevice) return homeTrash;
  return TopFolderTrash(TopFolderOf(fileFolder, fileDevice));
}

// "song.mp3", "song.2.mp3", "song.3.mp3", ...
std::string NumberedName(const std::string& name, int number) {
  if (number == 1) return name;
  const std::string extension(ExtensionOf(name));
  const std::string stem = name.substr(0, name.size() - extension.size());
  return stem + "." + std::to_string(number) + extension;
}

// Renames without ever replacing a file that appeared at the target since
// the name was chosen; file systems without that guarantee get a plain
// rename after a last look.
int RenameNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  struct stat info {};
  if (lstat(to.c_str(), &info) == 0) return EEXIST;
  return rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

enum class Placement { Moved, NameTaken, Failed };

// Reserves `name` by creating its info file exclusively, then moves the file
// beside it; the info file goes again when the move fails.
Placement PlaceInTrash(const std::string& trash, const std::string& name, const std::string& path,
                       const std::string& info, std::string& error) {
  const std::string infoPath = trash + "/info/" + name + ".trashinfo";
  const std::string target = trash + "/files/" + name;
  const int descriptor = open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (descriptor < 0) {
    if (errno == EEXIST) return Placement::NameTaken;
    error = ErrorText(errno);
    return Placement::Failed;
  }
  const bool written = WriteAll(descriptor, info);
  const int writeError = errno;
  if (close(descriptor) != 0 || !written) {
    unlink(infoPath.c_str());
    error = ErrorText(written ? errno : writeError);
    return Placement::Failed;
  }
  const int renameError = RenameNoReplace(path, target);
  if (renameError == 0) return Placement::Moved;
  unlink(infoPath.c_str());
  if (renameError == EEXIST || renameError == ENOTEMPTY) return Placement::NameTaken;
  error = ErrorText(renameError);
  return Placement::Failed;
}

}  // namespace

std::string HomeTrashFolder() {
  const char* dataHome = getenv("XDG_DATA_HOME");
  if (dataHome && dataHome[0] == '/') return JoinPath(dataHome, "Trash");
  const std::string home = UserHome();
  return home.empty() ? "" : JoinPath(home, ".local/share/Trash");
}

std::string TrashInfoPathText(const std::string& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(path.size());
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
                       byte == '/' || byte == '-' || byte == '.' || byte == '_' || byte == '~';
    if (plain) {
      text.push_back(c);
    } else {
      text.push_back('%');
      text.push_back(kHex[byte >> 4]);
      text.push_back(kHex[byte & 15]);
    }
  }
  return text;
}

TrashOutcome MoveToFreedesktopTrash(const std::string& path) {
  const std::string absolute = AbsolutePath(path);
  struct stat file {};
  if (absolute.empty() || lstat(absolute.c_str(), &file) != 0) return Refused(ErrorText(errno));
  const std::string name(FileNameOf(absolute));
  if (name.empty() || name == "." || name == "..") return Refused("Not a file.");

  const TrashFolder trash = TrashFor(file.st_dev, ParentOf(absolute));
  if (!trash.error.empty()) return Refused(trash.error);
  const std::string info =
      "[Trash Info]\nPath=" + TrashInfoPathText(absolute) + "\nDeletionDate=" + LocalTimeText(kDeletionDateFormat) + "\n";
  for (int number = 1; number <= kMaxNameTries; ++number) {
    std::string error;
    switch (PlaceInTrash(trash.path, NumberedName(name, number), absolute, info, error)) {
      case Placement::Moved:
        return {true, ""};
      case Placement::Failed:
        return Refused(error);
      case Placement::NameTaken:
        break;
    }
  }
  return Refused("The trash has no free name for this file.");
}

}  // namespace tarvo
