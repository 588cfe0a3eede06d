#include "platform/folder_tree.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

#include "base/text.h"
#include "platform/file_io.h"

namespace tarvo {

namespace {

constexpr std::array<std::string_view, 7> kNetworkTypes = {"nfs",  "nfs4",  "cifs",      "smb3",
                                                           "smbfs", "sshfs", "fuse.sshfs"};
constexpr std::array<std::string_view, 2> kOpticalTypes = {"iso9660", "udf"};

// Mount points in /proc/self/mounts write blank, tab, line feed and backslash
// as a backslash and three octal digits.
std::string UnescapeMountField(std::string_view field) {
  std::string text;
  text.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string_view digits = field.substr(i + 1, 3);
      if (digits.find_first_not_of("01234567") == std::string_view::npos) {
        text.push_back(static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0')));
        i += 3;
        continue;
      }
    }
    text.push_back(field[i]);
  }
  return text;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = line.find_first_not_of(" \t");
  while (start != std::string_view::npos) {
    const std::size_t end = line.find_first_of(" \t", start);
    fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
    start = end == std::string_view::npos ? end : line.find_first_not_of(" \t", end);
  }
  return fields;
}

// `path` is `folder` itself or lies below it.
bool IsInFolder(std::string_view path, std::string_view folder) {
  if (folder == "/") return StartsWith(path, "/");
  if (!StartsWith(path, folder)) return false;
  return path.size() == folder.size() || path[folder.size()] == '/' || folder.back() == '/';
}

bool IsBelowVolumeFolder(std::string_view path, std::string_view user) {
  const std::string userMedia = "/run/media/" + std::string(user) + "/";
  return (StartsWith(path, "/media/") && path.size() > 7) || (StartsWith(path, "/mnt/") && path.size() > 5) ||
         (!user.empty() && StartsWith(path, userMedia) && path.size() > userMedia.size());
}

bool IsFolderEntry(const std::string& path, const dirent& item) {
  if (item.d_type == DT_DIR) return true;
  if (item.d_type != DT_LNK && item.d_type != DT_UNKNOWN) return false;
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Calls `found(name)` for each subfolder of `folder` until it returns false.
template <typename Found>
void ForEachSubfolder(const std::string& folder, Found found) {
  const std::string prefix = WithFolderSeparator(folder);
  DIR* listing = opendir(prefix.c_str());
  if (!listing) return;
  while (const dirent* item = readdir(listing)) {
    const std::string_view name = item->d_name;
    if (name == "." || name == "..") continue;
    if (IsFolderEntry(prefix + item->d_name, *item) && !found(std::string(name))) break;
  }
  closedir(listing);
}

}  // namespace

std::vector<MountPoint> ParseMountTable(std::string_view contents) {
  std::vector<MountPoint> mounts;
  for (const std::string& line : SplitLines(contents)) {
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() < 3) continue;
    mounts.push_back({UnescapeMountField(fields[1]), std::string(fields[2])});
  }
  return mounts;
}

std::vector<MountPoint> ReadMountTable() {
  const std::optional<std::string> contents = ReadWholeFile("/proc/self/mounts");
  return contents ? ParseMountTable(*contents) : std::vector<MountPoint>();
}

bool IsNetworkFileSystem(std::string_view type) {
  for (const std::string_view network : kNetworkTypes) {
    if (type == network) return true;
  }
  return false;
}

bool IsOpticalFileSystem(std::string_view type) {
  for (const std::string_view optical : kOpticalTypes) {
    if (type == optical) return true;
  }
  return false;
}

std::vector<TreeRoot> DriveRoots(const std::vector<MountPoint>& mounts, std::string_view user) {
  std::vector<TreeRoot> roots = {{"/", FolderImage::Drive}};
  for (const MountPoint& mount : mounts) {
    if (!IsBelowVolumeFolder(mount.path, user)) continue;
    // A volume mounted twice on the same point is shown once, with the
    // type of the mount that is on top.
    bool known = false;
    for (TreeRoot& root : roots) {
      if (root.text != mount.path) continue;
      root.image = IsOpticalFileSystem(mount.type) ? FolderImage::CdDrive : FolderImage::Drive;
      known = true;
    }
    if (!known) {
      roots.push_back({mount.path, IsOpticalFileSystem(mount.type) ? FolderImage::CdDrive : FolderImage::Drive});
    }
  }
  return roots;
}

std::string CurrentUserName() {
  if (const char* user = std::getenv("USER"); user && *user) return user;
  if (const passwd* entry = getpwuid(getuid())) return entry->pw_name;
  return {};
}

bool IsOnNetworkFileSystem(std::string_view path, const std::vector<MountPoint>& mounts) {
  const MountPoint* holder = nullptr;
  for (const MountPoint& mount : mounts) {
    // Later lines of the table mount over earlier ones at the same point.
    if (IsInFolder(path, mount.path) && (!holder || mount.path.size() >= holder->path.size())) holder = &mount;
  }
  return holder && IsNetworkFileSystem(holder->type);
}

std::vector<std::string> ListSubfolders(const std::string& folder, const NameOrder& order) {
  std::vector<std::string> names;
  ForEachSubfolder(folder, [&names](std::string name) {
    names.push_back(std::move(name));
    return true;
  });
  order(names);
  return names;
}

bool HasSubfolder(const std::string& folder) {
  bool found = false;
  ForEachSubfolder(folder, [&found](const std::string&) {
    found = true;
    return false;
  });
  return found;
}

bool ShowsExpandButton(const std::string& folder, const std::vector<MountPoint>& mounts) {
  return IsOnNetworkFileSystem(folder, mounts) || HasSubfolder(folder);
}

std::string WithFolderSeparator(std::string text) {
  if (!text.empty() && text.back() != '/') text.push_back('/');
  return text;
}

std::string TreeNodePath(const std::vector<std::string>& texts) {
  std::string path;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    path += i + 1 < texts.size() ? WithFolderSeparator(texts[i]) : texts[i];
  }
  return path;
}

std::vector<std::string> TreePathComponents(const std::string& path, const std::vector<std::string>& topTexts) {
  std::string first;
  for (const std::string& top : topTexts) {
    const std::string text = WithFolderSeparator(top);
    if (!text.empty() && StartsWith(path, text) && text.size() > first.size()) first = text;
  }
  if (first.empty()) return {};
  std::vector<std::string> components = {first};
  std::size_t start = first.size();
  while (start < path.size()) {
    const std::size_t end = path.find('/', start);
    if (end == std::string::npos) {
      components.push_back(path.substr(start) + "/");
      break;
    }
    // Doubled separators make empty components, which no folder matches.
    if (end > start) components.push_back(path.substr(start, end - start + 1));
    start = end + 1;
  }
  return components;
}

std::string BrowserRootOrAllDrives(const std::string& storedRoot) {
  // Only an absolute path is a music folder; "All drives" is no folder even
  // when the working folder happens to hold one of that name.
  return StartsWith(storedRoot, "/") && FolderExists(storedRoot) ? storedRoot : kAllDrives;
}

std::string MissingRootWarning(const std::string& root) {
  return root + " does not exists or can not be opened.";
}

}  // namespace tarvo
