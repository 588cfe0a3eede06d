#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>

#include "support/temp_folder.h"

namespace tarvo {
namespace {

using testing::TempFolder;

TEST(FileIo, AtomicWriteReplacesContentsAndKeepsPermissions) {
  TempFolder folder;
  const std::string path = folder.Write("list.txt", "old contents");
  chmod(path.c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  EXPECT_EQ(folder.Read("list.txt"), "new");
  struct stat info {};
  stat(path.c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  // No temporary file stays behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(FileIo, AtomicWriteThroughASymlinkReplacesTheTarget) {
  TempFolder folder;
  const std::string target = folder.Write("real/Tarvo.ini", "a=1");
  const std::string link = folder.Path() + "Tarvo.ini";
  std::filesystem::create_symlink(target, link);
  ASSERT_TRUE(WriteFileAtomically(link, "a=2"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(folder.Read("real/Tarvo.ini"), "a=2");
}

TEST(FileIo, FailedWriteLeavesTheOldFileAlone) {
  TempFolder folder;
  folder.Write("dir/keep.txt", "precious");
  EXPECT_FALSE(WriteFileAtomically(folder.Path() + "dir", "x"));  // a folder is no file
  EXPECT_FALSE(WriteFileAtomically(folder.Path() + "missing/x.txt", "x"));
  EXPECT_EQ(folder.Read("dir/keep.txt"), "precious");
}

TEST(FileIo, ReadOnlyMeansNoWriteBitEvenForRoot) {
  TempFolder folder;
  const std::string path = folder.Write("frozen.ini", "x");
  EXPECT_FALSE(IsReadOnlyFile(path));
  chmod(path.c_str(), 0444);
  EXPECT_TRUE(IsReadOnlyFile(path));
  EXPECT_FALSE(IsReadOnlyFile(folder.Path() + "missing.ini"));
  EXPECT_FALSE(IsReadOnlyFile(folder.Path()));
}

TEST(FileIo, ReadWholeFileRefusesFoldersAndPipes) {
  TempFolder folder;
  EXPECT_EQ(ReadWholeFile(folder.Write("a.txt", std::string("x\0y", 3))), std::string("x\0y", 3));
  EXPECT_FALSE(ReadWholeFile(folder.Path()).has_value());
  EXPECT_FALSE(ReadWholeFile(folder.Path() + "none").has_value());
  const std::string fifo = folder.Path() + "pipe.m3u";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(ReadWholeFile(fifo).has_value());
}

TEST(FileIo, OnlyStaleTemporariesOfTheNamedFileAreRemoved) {
  TempFolder folder;
  const auto makeOld = [&](const std::string& name) {
    const std::string path = folder.Write(name, "x");
    const timespec hourAgo{time(nullptr) - 3600, 0};
    const timespec times[2] = {hourAgo, hourAgo};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
    return path;
  };
  const std::string stale = makeOld("Playlist.txt.aB3xY9");
  const std::string otherName = makeOld("Playlist.txt.old");
  const std::string otherFile = makeOld("Other.txt.aB3xY9");
  // A save of another instance may be writing this one right now.
  const std::string fresh = folder.Write("Playlist.txt.Qw12er", "x");

  RemoveStaleTemporaries(folder.Path() + "Playlist.txt");
  EXPECT_FALSE(FileExists(stale));
  EXPECT_TRUE(FileExists(otherName));
  EXPECT_TRUE(FileExists(otherFile));
  EXPECT_TRUE(FileExists(fresh));
}

}  // namespace
}  // namespace tarvo
