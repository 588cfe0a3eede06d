// Favourites: names and order from the folder, saving the list under a name
// (the replace question, the save error that asks again, names that would
// leave the folder), opening one and renaming it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "integration/favorites.h"
#include "platform/file_io.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

using testing::CoreTest;
using Entries = std::vector<std::string>;

constexpr char kSaveError[] =
    "Your playlist could not be saved.\r\rThe title may not have any of the following characters:\r"
    "\\ / : ? \" <> |";

class FavoritesTest : public CoreTest {
 protected:
  std::string Favorite(const std::string& relative, const std::string& contents) {
    return home.Write("Favorites/" + relative, contents);
  }
  std::string FolderPath() const { return home.Path() + "Favorites/"; }
};

TEST_F(FavoritesTest, ListIsEveryFileOfTheFolderTreeSortedWithNamesCutAtTheFirstDot) {
  EXPECT_TRUE(CollectFavorites(core).empty());
  EXPECT_FALSE(FolderExists(FolderPath())) << "looking must not create the folder";

  Favorite("2 Jazz.txt", "");
  Favorite("1 Rock.txt", "");
  Favorite("Notes", "");
  Favorite("old/A.B.txt", "");
  const std::vector<std::string> favorites = CollectFavorites(core);
  ASSERT_EQ(favorites, (Entries{FolderPath() + "1 Rock.txt", FolderPath() + "2 Jazz.txt", FolderPath() + "Notes",
                                FolderPath() + "old/A.B.txt"}));
  Entries names;
  for (const std::string& path : favorites) names.push_back(FavoriteName(path));
  EXPECT_EQ(names, (Entries{"1 Rock", "2 Jazz", "", "A"}));
}

// A save killed half-way leaves "<name>.txt.XXXXXX": never a second
// favourite of that name, and removed at the next start once a minute old.
TEST_F(FavoritesTest, TemporariesOfUnfinishedSavesAreNeverListedAndGoAtStart) {
  const std::string rock = Favorite("Rock.txt", "/m/a.mp3\r\n");
  const std::string stale = Favorite("Rock.txt.Ab12Cd", "/m/a");
  const std::string fresh = Favorite("Jazz.txt.Zz9Yy8", "/m/b");
  const std::string other = Favorite("Rock.txt.bak", "keep");
  std::filesystem::last_write_time(stale, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5));
  EXPECT_EQ(CollectFavorites(core), (Entries{rock, other}));
  RemoveStaleFavoriteTemporaries(core);
  EXPECT_FALSE(FileExists(stale));
  EXPECT_TRUE(FileExists(fresh)) << "a save under way in another instance";
  EXPECT_TRUE(FileExists(other));
}

TEST_F(FavoritesTest, AddingAnEmptyListOnlySaysSo) {
  EXPECT_FALSE(FavoritesAddAc(core));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Your playlist is empty, please add some files first.");
  EXPECT_TRUE(ui.textQuestions.empty());
}

TEST_F(FavoritesTest, NamesWithASlashReportTheSaveErrorAndAskAgainWithoutLeavingTheFolder) {
  SetEntries({"/m/a.mp3", "/m/b.mp3"});
  core.playlist.LastScannedFolder = "/music/Best.Of";
  ui.textAnswers = {"../escaped", "sub/inner", "Mine"};
  EXPECT_TRUE(FavoritesAddAc(core));

  ASSERT_EQ(ui.textQuestions.size(), 3u);
  EXPECT_EQ(ui.textQuestions[0], (Entries{"Add playlist to favorites", "Name", "Best"}));
  EXPECT_EQ(ui.textQuestions[2][2], "Best") << "the proposal is made afresh each time";
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(ui.messages[1].text, kSaveError);
  EXPECT_FALSE(FileExists(home.Path() + "escaped.txt"));
  EXPECT_FALSE(FolderExists(FolderPath() + "sub"));
  EXPECT_EQ(home.Read("Favorites/Mine.txt"), "/m/a.mp3\r\n/m/b.mp3\r\n");
}

TEST_F(FavoritesTest, ReplacingAnExistingNameAsksAndNoKeepsTheOldFile) {
  Favorite("Rock.txt", "/old/x.mp3\r\n");
  SetEntries({"/m/new.mp3"});
  ui.textAnswers = {"Rock"};
  ui.answers = {false};
  EXPECT_FALSE(FavoritesAddAc(core));
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0],
            "A playlist with the same name already exists.\rWould you like to replace the existing file?");
  EXPECT_EQ(home.Read("Favorites/Rock.txt"), "/old/x.mp3\r\n");

  // Cancelling and an empty name end the command without a file.
  core.playlist.LastScannedFolder = "/music/Jazz";
  ui.textAnswers = {std::nullopt};
  EXPECT_FALSE(FavoritesAddAc(core));
  EXPECT_EQ(ui.textQuestions.back()[2], "Jazz");
  ui.textAnswers = {""};
  EXPECT_FALSE(FavoritesAddAc(core));
  EXPECT_EQ(CollectFavorites(core).size(), 1u);
}

TEST_F(FavoritesTest, OpeningRockReplacesTheListAndAddingThenProposesRock) {
  Favorite("Jazz.txt", "/m/j.mp3\r\n");
  Favorite("Rock.txt", "/m/a.mp3\r\n/m/b.mp3\r\n");
  SetEntries({"/m/other.mp3"});
  core.playlist.PlayingEntry = "/m/b.mp3";
  OpenFavorite(core, 1);
  EXPECT_EQ(core.playlist.PlaylistEntries, (Entries{"/m/a.mp3", "/m/b.mp3"}));
  EXPECT_EQ(core.playlist.CurrentIndex, 1);
  EXPECT_TRUE(core.listView.IsSelected(1));
  OpenFavorite(core, 2);  // past the end: nothing
  EXPECT_EQ(core.playlist.PlaylistEntries.size(), 2u);

  core.playlist.PlaylistEntries.push_back("/m/c.mp3");
  ui.textAnswers = {"Rock"};
  ui.answers = {true};
  EXPECT_TRUE(FavoritesAddAc(core));
  EXPECT_EQ(ui.textQuestions[0][2], "Rock");
  EXPECT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(home.Read("Favorites/Rock.txt"), "/m/a.mp3\r\n/m/b.mp3\r\n/m/c.mp3\r\n");
}

TEST_F(FavoritesTest, RenameMovesAFavoriteFromASubfolderToTheTopButNeverOverAnotherOne) {
  const std::string inner = Favorite("old/Live.m3u", "x");
  Favorite("Jazz.txt", "jazz");
  ui.textAnswers = {"Live 2001"};
  RenameFavorite(core, inner);
  EXPECT_EQ(ui.textQuestions[0], (Entries{"Edit playlist title", "Name", "Live"}));
  EXPECT_FALSE(FileExists(inner));
  EXPECT_EQ(home.Read("Favorites/Live 2001.txt"), "x");

  // Another favourite's name, a name out of the folder, an empty one: the
  // file stays, silently.
  const std::string renamed = FolderPath() + "Live 2001.txt";
  ui.textAnswers = {"Jazz", "../Out", ""};
  for (int i = 0; i < 3; ++i) RenameFavorite(core, renamed);
  EXPECT_EQ(home.Read("Favorites/Live 2001.txt"), "x");
  EXPECT_EQ(home.Read("Favorites/Jazz.txt"), "jazz");
  EXPECT_FALSE(FileExists(home.Path() + "Out.txt"));
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tarvo
