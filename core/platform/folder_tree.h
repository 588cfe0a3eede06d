// What the folder browser shows: its roots (all drives, or one music folder),
// the subfolders of a folder in the playlist's sort order, whether a folder
// gets an expand button, and how a path maps onto the tree's nodes. The
// window builds its tree from these; they read the file system and the mount
// table but hold no state. Window thread.
//
// "All drives" on Linux is "/" followed by the volumes mounted under /media,
// /mnt and /run/media/$USER. A volume on optical media shows the CD image; a
// folder on a network file system gets an expand button without being read,
// since reading it may stall on a slow or absent server.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

// The first choice of the root list, which is no folder.
inline constexpr char kAllDrives[] = "All drives";

// The tree's images.
enum class FolderImage : int { Folder = 0, Drive = 1, CdDrive = 2 };

// Placeholder children: under a root not listed yet, and under a folder that
// may have subfolders. Either only makes the expand button appear.
inline constexpr char kRootPlaceholder[] = "****";
inline constexpr char kFolderPlaceholder[] = "-";

struct MountPoint {
  std::string path;
  std::string type;  // the file system: "ext4", "nfs", "iso9660", ...
};

// The lines of /proc/self/mounts (device, mount point, type, ...), with the
// octal escapes of blanks and backslashes in mount points undone.
std::vector<MountPoint> ParseMountTable(std::string_view contents);
// The mounts of this process; empty when the table cannot be read.
std::vector<MountPoint> ReadMountTable();

bool IsNetworkFileSystem(std::string_view type);
bool IsOpticalFileSystem(std::string_view type);

struct TreeRoot {
  std::string text;
  FolderImage image = FolderImage::Drive;
};

// "/" and then, in the order of the mount table, each volume mounted below
// /media, /mnt or /run/media/`user`.
std::vector<TreeRoot> DriveRoots(const std::vector<MountPoint>& mounts, std::string_view user);
// The login name, for /run/media/$USER.
std::string CurrentUserName();

// The path lies on a network file system: the longest mount point that
// contains it has a network type.
bool IsOnNetworkFileSystem(std::string_view path, const std::vector<MountPoint>& mounts);

// Puts names in the order the caller shows them in (the playlist's own name
// order, for the folder browser).
using NameOrder = std::function<void(std::vector<std::string>&)>;

// The names of the direct subfolders of `folder` (hidden ones and links to
// folders included), put in `order`. Empty when the folder cannot be read.
std::vector<std::string> ListSubfolders(const std::string& folder, const NameOrder& order);
// `folder` has at least one subfolder; stops at the first one found.
bool HasSubfolder(const std::string& folder);
// Whether a folder gets an expand button: always on a network file system
// (without reading it), otherwise when it has a subfolder.
bool ShowsExpandButton(const std::string& folder, const std::vector<MountPoint>& mounts);

// `text` with a final "/" added when missing; an empty text stays empty.
std::string WithFolderSeparator(std::string text);
// A node's full path: the texts from the top node down to it, each ancestor's
// with a final "/".
std::string TreeNodePath(const std::vector<std::string>& texts);

// The texts a path is matched against on the way down the tree, each ending
// in "/": the longest top node text (with "/") that starts the path, then one
// per remaining path component. Empty when no top node starts the path.
std::vector<std::string> TreePathComponents(const std::string& path, const std::vector<std::string>& topTexts);

// The root the browser starts at: a stored music folder that still exists,
// otherwise all drives.
std::string BrowserRootOrAllDrives(const std::string& storedRoot);

// The warning for a root chosen from the list that cannot be opened.
std::string MissingRootWarning(const std::string& root);

}  // namespace tarvo
