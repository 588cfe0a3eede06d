#include "platform/freedesktop_trash.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <optional>
#include <regex>

#include "platform/file_io.h"
#include "support/legacy_bytes.h"
#include "support/temp_folder.h"

namespace tarvo {
namespace {

// Points $XDG_DATA_HOME into a temporary folder for the test's length.
class TrashTest : public ::testing::Test {
 protected:
  TrashTest() {
    if (const char* old = getenv("XDG_DATA_HOME")) oldDataHome_ = old;
    setenv("XDG_DATA_HOME", (folder.Path() + "data").c_str(), 1);
  }
  ~TrashTest() override {
    if (oldDataHome_) {
      setenv("XDG_DATA_HOME", oldDataHome_->c_str(), 1);
    } else {
      unsetenv("XDG_DATA_HOME");
    }
  }

  std::string Trash() const { return folder.Path() + "data/Trash/"; }

  testing::TempFolder folder;

 private:
  std::optional<std::string> oldDataHome_;
};

TEST_F(TrashTest, MovesAFileIntoTheHomeTrashWithItsTrashInfo) {
  const std::string original = folder.Write("music/My Song 100% é.mp3", "tune");
  const TrashOutcome outcome = MoveToFreedesktopTrash(original);
  ASSERT_TRUE(outcome.moved) << outcome.error;
  EXPECT_FALSE(FileExists(original));
  EXPECT_EQ(HomeTrashFolder(), folder.Path() + "data/Trash");
  EXPECT_EQ(folder.Read("data/Trash/files/My Song 100% é.mp3"), "tune");

  const std::string info = folder.Read("data/Trash/info/My Song 100% é.mp3.trashinfo");
  const std::string escapedFolder = TrashInfoPathText(folder.Path() + "music/");
  const std::regex expected("\\[Trash Info\\]\nPath=" + escapedFolder +
                            "My%20Song%20100%25%20%C3%A9\\.mp3\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n");
  EXPECT_TRUE(std::regex_match(info, expected)) << info;

  struct stat trash {};
  ASSERT_EQ(stat(Trash().c_str(), &trash), 0);
  EXPECT_EQ(trash.st_mode & 0777, 0700u);
}

// A name in CP949 bytes, as copied from an old disk, goes into the trash
// under those bytes, and its trash information names them escaped byte for
// byte, so that the file manager restores it to the same name.
TEST_F(TrashTest, ANameInLegacyBytesKeepsItsBytes) {
  const testing::LegacyCodepageScope korean("CP949");
  const std::string name = testing::Encoded("노래.mp3", "CP949");
  ASSERT_EQ(name, "\xB3\xEB\xB7\xA1.mp3");
  const std::string original = folder.Write("music/" + name, "tune");
  ASSERT_TRUE(MoveToFreedesktopTrash(original).moved);
  EXPECT_FALSE(FileExists(original));
  EXPECT_EQ(folder.Read("data/Trash/files/" + name), "tune");
  EXPECT_NE(folder.Read("data/Trash/info/" + name + ".trashinfo").find("/music/%B3%EB%B7%A1.mp3\n"),
            std::string::npos);
}

TEST_F(TrashTest, SameNamesGetNumberedNamesAndNothingIsOverwritten) {
  const std::string first = folder.Write("a/song.mp3", "first");
  const std::string second = folder.Write("b/song.mp3", "second");
  ASSERT_TRUE(MoveToFreedesktopTrash(first).moved);
  ASSERT_TRUE(MoveToFreedesktopTrash(second).moved);
  EXPECT_EQ(folder.Read("data/Trash/files/song.mp3"), "first");
  EXPECT_EQ(folder.Read("data/Trash/files/song.2.mp3"), "second");
  EXPECT_NE(folder.Read("data/Trash/info/song.2.mp3.trashinfo").find("/b/song.mp3\n"), std::string::npos);
}

TEST_F(TrashTest, AMissingFileIsRefusedWithTheReason) {
  const TrashOutcome outcome = MoveToFreedesktopTrash(folder.Path() + "nowhere.mp3");
  EXPECT_FALSE(outcome.moved);
  EXPECT_EQ(outcome.error, "No such file or directory");
  EXPECT_EQ(TrashInfoPathText("/a b/x~y_z-1.mp3"), "/a%20b/x~y_z-1.mp3");
}

}  // namespace
}  // namespace tarvo
