#include "platform/folder_tree.h"
#include "playlist/sorting.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace tarvo {
namespace {

using testing::TempFolder;

TEST(FolderTree, MountTableGivesRootAndVolumesWithTheirImages) {
  const std::vector<MountPoint> mounts = ParseMountTable(
      "/dev/sda1 / ext4 rw,relatime 0 0\n"
      "proc /proc proc rw 0 0\n"
      "/dev/sdb1 /media/anna/My\\040Music vfat rw 0 0\n"
      "/dev/sr0 /media/anna/CD iso9660 ro 0 0\n"
      "server:/export /mnt/nas nfs4 rw 0 0\n"
      "/dev/sdc1 /run/media/anna/Stick exfat rw 0 0\n"
      "/dev/sdd1 /run/media/bert/Other ext4 rw 0 0\n"
      "/dev/sde1 /home/anna/data ext4 rw 0 0\n"
      "tmpfs /media tmpfs rw 0 0\n");
  ASSERT_EQ(mounts.size(), 9u);
  EXPECT_EQ(mounts[2].path, "/media/anna/My Music");

  const std::vector<TreeRoot> roots = DriveRoots(mounts, "anna");
  ASSERT_EQ(roots.size(), 5u);
  EXPECT_EQ(roots[0].text, "/");
  EXPECT_EQ(roots[1].text, "/media/anna/My Music");
  EXPECT_EQ(roots[2].text, "/media/anna/CD");
  EXPECT_EQ(roots[2].image, FolderImage::CdDrive);
  EXPECT_EQ(roots[3].text, "/mnt/nas");
  EXPECT_EQ(roots[3].image, FolderImage::Drive);
  EXPECT_EQ(roots[4].text, "/run/media/anna/Stick");
}

TEST(FolderTree, NetworkFoldersAreKnownByTheirMount) {
  const std::vector<MountPoint> mounts = ParseMountTable(
      "/dev/sda1 / ext4 rw 0 0\n"
      "server:/export /mnt/nas nfs rw 0 0\n"
      "//pc/share /home/anna/share cifs rw 0 0\n"
      "anna@host:/ /home/anna/remote fuse.sshfs rw 0 0\n"
      "/dev/sdb1 /mnt/nas/local ext4 rw 0 0\n");
  EXPECT_TRUE(IsOnNetworkFileSystem("/mnt/nas/Music/", mounts));
  EXPECT_TRUE(IsOnNetworkFileSystem("/home/anna/share", mounts));
  EXPECT_TRUE(IsOnNetworkFileSystem("/home/anna/remote/x", mounts));
  EXPECT_FALSE(IsOnNetworkFileSystem("/home/anna/shared", mounts));
  EXPECT_FALSE(IsOnNetworkFileSystem("/mnt/nas/local/Music", mounts));
  EXPECT_FALSE(IsOnNetworkFileSystem("/home/anna", mounts));

  // A network folder gets its expand button without being read.
  EXPECT_TRUE(ShowsExpandButton("/mnt/nas/does-not-exist/", mounts));
}

TEST(FolderTree, SubfoldersAreListedInThePlaylistsOrder) {
  TempFolder folder;
  for (const char* name : {"b/", "A/x/", "c/", ".hidden/", "Zed/"}) {
    std::filesystem::create_directories(folder.Path() + name);
  }
  folder.Write("file.mp3", "");
  folder.Write("a file", "");
  std::filesystem::create_directory_symlink(folder.Path() + "c", folder.Path() + "link");
  EXPECT_EQ(ListSubfolders(folder.Path(), SortPaths), (std::vector<std::string>{".hidden", "A", "b", "c", "link", "Zed"}));
  EXPECT_TRUE(ListSubfolders(folder.Path() + "missing", SortPaths).empty());

  const std::vector<MountPoint> none;
  EXPECT_TRUE(ShowsExpandButton(folder.Path() + "A", none));
  EXPECT_FALSE(ShowsExpandButton(folder.Path() + "b", none));
  EXPECT_FALSE(HasSubfolder(folder.Path() + "missing"));
}

TEST(FolderTree, NodePathsAndPathComponents) {
  EXPECT_EQ(TreeNodePath({"/", "home", "anna"}), "/home/anna");
  EXPECT_EQ(TreeNodePath({"/media/anna/Stick", "Music"}), "/media/anna/Stick/Music");
  EXPECT_EQ(TreeNodePath({"/home/anna/Music/"}), "/home/anna/Music/");
  EXPECT_EQ(WithFolderSeparator(""), "");

  const std::vector<std::string> drives = {"/", "/media/anna/Stick"};
  EXPECT_EQ(TreePathComponents("/home/anna/Music/", drives),
            (std::vector<std::string>{"/", "home/", "anna/", "Music/"}));
  // The deepest volume holding the path is its "drive".
  EXPECT_EQ(TreePathComponents("/media/anna/Stick/Rock/Old", drives),
            (std::vector<std::string>{"/media/anna/Stick/", "Rock/", "Old/"}));
  EXPECT_EQ(TreePathComponents("/media/anna/Sticker/", drives),
            (std::vector<std::string>{"/", "media/", "anna/", "Sticker/"}));
  EXPECT_EQ(TreePathComponents("/home//anna/", drives), (std::vector<std::string>{"/", "home/", "anna/"}));

  const std::vector<std::string> musicRoot = {"/home/anna/Music/"};
  EXPECT_EQ(TreePathComponents("/home/anna/Music/Jazz/", musicRoot),
            (std::vector<std::string>{"/home/anna/Music/", "Jazz/"}));
  EXPECT_TRUE(TreePathComponents("/srv/other/", musicRoot).empty());
}

TEST(FolderTree, StoredRootFallsBackToAllDrives) {
  TempFolder folder;
  EXPECT_EQ(BrowserRootOrAllDrives(folder.Path()), folder.Path());
  EXPECT_EQ(BrowserRootOrAllDrives(folder.Path() + "gone/"), kAllDrives);
  EXPECT_EQ(BrowserRootOrAllDrives(""), kAllDrives);
  EXPECT_EQ(BrowserRootOrAllDrives(kAllDrives), kAllDrives);
  EXPECT_EQ(MissingRootWarning("/gone/"), "/gone/ does not exists or can not be opened.");
}

}  // namespace
}  // namespace tarvo
