#include "playlist/find.h"

#include <gtest/gtest.h>

#include "playback/key_dispatcher.h"
#include "playlist/model.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

using Rows = std::vector<std::string>;
using Indexes = std::vector<int>;

constexpr int kKeyPageUp = 33;
constexpr int kKeyPageDown = 34;
constexpr int kKeyHome = 36;
constexpr int kKeyF8 = 119;

class FindTest : public testing::CoreTest {
 protected:
  FindTest() {
    SetEntries({"/music/rock/one.mp3", "/music/rock/two.mp3", "/music/jazz/three.mp3", "c:/cd/c.mp3",
                "http://radio.example/live|Smooth Jazz FM"});
    core.playlist.MusicFolders = {"/music/"};
  }

  // Opens the window as typing or Ctrl+F would.
  bool Open(const std::string& text) { return ShowFind(core, find, text); }

  FindState find;
};

TEST(FindMatching, TheFirstOccurrenceMustNotBeAtTheFirstCharacter) {
  EXPECT_TRUE(EntryMatchesFind("/music/rock.mp3", "ROCK"));
  EXPECT_FALSE(EntryMatchesFind("/music/rock/a.mp3", "/"));  // found again later, still no match
  EXPECT_FALSE(EntryMatchesFind("c:/cd/c.mp3", "c"));
  EXPECT_TRUE(EntryMatchesFind("d:/music/b.mp3", "c"));
  EXPECT_TRUE(EntryMatchesFind("http://radio/live|Smooth Jazz", "jazz"));
  EXPECT_FALSE(EntryMatchesFind("/music/a.mp3", "flac"));
}

TEST_F(FindTest, FiltersByTheWholeEntryButShowsFileNames) {
  ASSERT_TRUE(Open("ROCK"));
  EXPECT_EQ(find.rows, (Rows{"one.mp3", "two.mp3"}));
  EXPECT_EQ(find.FoundIndexes, (Indexes{0, 1}));
  EXPECT_EQ(find.selectedRow, 0);

  SetFindText(core, find, "jazz");
  EXPECT_EQ(find.rows, (Rows{"three.mp3", "live|Smooth Jazz FM"}));
  EXPECT_EQ(find.FoundIndexes, (Indexes{2, 4}));

  // "music" has a c; in c:/cd/c.mp3 the first c is its drive letter.
  SetFindText(core, find, "c");
  EXPECT_EQ(find.FoundIndexes, (Indexes{0, 1, 2}));

  SetFindText(core, find, "");
  EXPECT_EQ(find.rows.size(), 5u);
  SetFindText(core, find, "nothing like it");
  EXPECT_TRUE(find.rows.empty());
  EXPECT_EQ(find.selectedRow, -1);
}

TEST_F(FindTest, AListOfOneEntryDoesNotOpenTheWindow) {
  find.FindViewStyle = 0;
  SetEntries({"/music/a.mp3"});
  EXPECT_FALSE(Open(""));
  EXPECT_EQ(find.FindViewStyle, 1);

  EXPECT_TRUE(DispatchKeyCommand(core, kKeyA + 3, kShiftModifier));
  EXPECT_EQ(core.requests.findText, "d");
  EXPECT_TRUE(DispatchKeyCommand(core, kKey1 + 4, kNoModifier));
  EXPECT_EQ(core.requests.findText, "5");
  EXPECT_FALSE(Open(*core.requests.findText));
}

TEST_F(FindTest, ViewStyleCyclesKeepingTheSelection) {
  ASSERT_TRUE(Open("o"));
  find.selectedRow = 1;
  CycleFindViewStyle(core, find);
  EXPECT_EQ(find.FindViewStyle, 2);
  EXPECT_EQ(find.rows[1], "rock / two");
  CycleFindViewStyle(core, find);
  EXPECT_EQ(find.FindViewStyle, 0);
  EXPECT_EQ(find.rows[1], "/music/rock/two.mp3");
  CycleFindViewStyle(core, find);
  EXPECT_EQ(find.FindViewStyle, 1);
  EXPECT_EQ(find.rows[1], "two.mp3");
  EXPECT_EQ(find.selectedRow, 1);
}

TEST_F(FindTest, KeysMoveWithinTheResultsAndOtherKeysGoBackToTheFirstRow) {
  std::vector<std::string> entries;
  for (int i = 0; i < 10; ++i) entries.push_back("/m/" + std::to_string(i) + ".mp3");
  SetEntries(entries);
  ASSERT_TRUE(Open(""));
  find.rowsPerPage = 3;

  EXPECT_TRUE(FindKeyDown(find, kKeyUp, kNoModifier));
  EXPECT_EQ(find.selectedRow, 0);
  EXPECT_TRUE(FindKeyDown(find, kKeyPageDown, kNoModifier));  // the bottom visible row
  EXPECT_EQ(find.selectedRow, 2);
  EXPECT_TRUE(FindKeyDown(find, kKeyPageDown, kNoModifier));  // then a page further
  EXPECT_EQ(find.selectedRow, 5);
  EXPECT_EQ(find.topRow, 3);
  EXPECT_TRUE(FindKeyDown(find, kKeyDown, kNoModifier));
  EXPECT_EQ(find.selectedRow, 6);
  EXPECT_TRUE(FindKeyDown(find, kKeyPageUp, kNoModifier));  // the top visible row
  EXPECT_EQ(find.selectedRow, 4);
  EXPECT_TRUE(FindKeyDown(find, kKeyPageUp, kNoModifier));
  EXPECT_EQ(find.selectedRow, 1);
  for (int i = 0; i < 5; ++i) FindKeyDown(find, kKeyPageDown, kNoModifier);
  EXPECT_EQ(find.selectedRow, 9);

  EXPECT_FALSE(FindKeyDown(find, kKeyDown, kShiftModifier));
  EXPECT_FALSE(FindKeyDown(find, kKeyF8, kNoModifier));
  EXPECT_FALSE(FindKeyDown(find, kKeyBackQuote, kNoModifier));
  EXPECT_EQ(find.selectedRow, 9);
  EXPECT_FALSE(FindKeyDown(find, kKeyHome, kNoModifier));
  EXPECT_EQ(find.selectedRow, 0);
  EXPECT_EQ(find.topRow, 0);
}

TEST_F(FindTest, PlayMakesTheMatchCurrentAndNoMatchPlaysNothing) {
  ASSERT_TRUE(Open("three"));
  FindPlay(core, find);
  EXPECT_EQ(playback.played, Indexes{2});
  EXPECT_EQ(core.playlist.CurrentIndex, 2);
  EXPECT_EQ(core.listView.SelectedRows(), Indexes{2});

  SetFindText(core, find, "no such file");
  FindPlay(core, find);
  FindQueue(core, find);
  FindJump(core, find);
  EXPECT_EQ(playback.played.size(), 1u);
  EXPECT_TRUE(core.playlist.QueueEntries.empty());
  EXPECT_EQ(core.listView.SelectedRows(), Indexes{2});
}

TEST_F(FindTest, QueueingThePlayingEntryLeavesTheQueueButMovesTheSelection) {
  core.playlist.CurrentIndex = 1;
  core.playlist.PlayingEntry = "/music/rock/two.mp3";
  ASSERT_TRUE(Open("two"));
  FindQueue(core, find);
  EXPECT_TRUE(core.playlist.QueueEntries.empty());
  EXPECT_EQ(core.listView.SelectedRows(), Indexes{2});
  EXPECT_EQ(core.playlist.CurrentIndex, 1);

  SetFindText(core, find, "one");
  FindQueue(core, find);
  EXPECT_EQ(core.playlist.QueueEntries, Rows{"/music/rock/one.mp3"});
  EXPECT_EQ(core.listView.SelectedRows(), Indexes{1});
  EXPECT_EQ(core.playlist.CurrentIndex, 1);
  EXPECT_TRUE(playback.played.empty());
}

TEST_F(FindTest, JumpSelectsTheMatchWithoutPlayingOrMovingTheMark) {
  core.playlist.CurrentIndex = 0;
  core.listView.rowsPerPage = 2;
  ASSERT_TRUE(Open("c.mp3"));
  FindJump(core, find);
  EXPECT_EQ(core.listView.SelectedRows(), Indexes{3});
  EXPECT_EQ(core.listView.focusedRow, 3);
  EXPECT_EQ(core.listView.topRow, 1);
  EXPECT_EQ(core.playlist.CurrentIndex, 0);
  EXPECT_TRUE(playback.played.empty());

  CloseFind(find);
  EXPECT_TRUE(find.rows.empty());
  EXPECT_TRUE(find.FoundIndexes.empty());
}

}  // namespace
}  // namespace tarvo
