#include "playlist/model.h"

#include <gtest/gtest.h>

#include "support/core_fixture.h"

namespace tarvo {
namespace {

using testing::CoreTest;
using ModelTest = CoreTest;

TEST_F(ModelTest, DisplayTextFollowsTheViewFormat) {
  SetEntries({"/home/u/Music/Rock/Band/01 Song.mp3", "http://radio/live|Jazz", "http://radio/bare"});
  core.playlist.MusicFolders = {"/home/u/Music/"};
  core.playlist.ViewFormat = 0;
  EXPECT_EQ(EntryDisplayText(core, 0), "01 Song.mp3");
  core.playlist.ViewFormat = 1;
  EXPECT_EQ(EntryDisplayText(core, 0), "/home/u/Music/Rock/Band/01 Song.mp3");
  core.playlist.ViewFormat = 2;
  EXPECT_EQ(EntryDisplayText(core, 0), "Rock / Band / 01 Song");
  core.playlist.ViewFormat = 7;  // any other value is the relative style
  EXPECT_EQ(EntryDisplayText(core, 0), "Rock / Band / 01 Song");
  for (int format : {0, 1, 2}) {
    core.playlist.ViewFormat = format;
    EXPECT_EQ(EntryDisplayText(core, 1), "Jazz");
    EXPECT_EQ(EntryDisplayText(core, 2), "http://radio/bare");
  }
  EXPECT_EQ(EntryDisplayText(core, 3), "");
}

TEST(RelativePathText, RemovesMusicFoldersRootAndExtensionEverywhere) {
  PlaylistState playlist;
  playlist.MusicFolders = {"/home/u/Music/"};
  EXPECT_EQ(RelativePathText(playlist, "/home/u/Music/a.mp3"), "a");
  EXPECT_EQ(RelativePathText(playlist, "/HOME/U/MUSIC/b.mp3"), "b");
  EXPECT_EQ(RelativePathText(playlist, "/Other/b.mp3"), "Other / b");
  EXPECT_EQ(RelativePathText(playlist, "/home/u/Music/x.mp3 songs/x.mp3"), "x songs / x");
  EXPECT_EQ(RelativePathText(playlist, "/home/u/Music/abc"), "");
  EXPECT_EQ(RelativePathText(playlist, "/net//share/c.ogg"), "netshare / c");
  playlist.RelativeDelimiter = " | ";
  EXPECT_EQ(RelativePathText(playlist, "/home/u/Music/Rock/a.wav"), "Rock | a");
}

TEST(Queue, ToggleQueuedKeepsOrderAndRefusesStreamsAndThePlayingEntry) {
  PlaylistState playlist;
  playlist.PlayingEntry = "/m/playing.mp3";
  ToggleQueued(playlist, "/m/a.mp3");
  ToggleQueued(playlist, "/m/b.mp3");
  ToggleQueued(playlist, "/m/c.mp3");
  ToggleQueued(playlist, "/m/playing.mp3");
  ToggleQueued(playlist, "http://radio/live|Jazz");
  ToggleQueued(playlist, "/m/x.wma");
  EXPECT_EQ(playlist.QueueEntries, (std::vector<std::string>{"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"}));
  ToggleQueued(playlist, "/m/b.mp3");
  EXPECT_EQ(playlist.QueueEntries, (std::vector<std::string>{"/m/a.mp3", "/m/c.mp3"}));
}

TEST_F(ModelTest, QueueCommandTogglesSelectedRowsAndMovesDown) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3"});
  core.listView.Select(2, true);
  core.listView.focusedRow = 2;
  QueueSelectedRows(core);
  EXPECT_EQ(core.playlist.QueueEntries, (std::vector<std::string>{"/m/a.mp3", "/m/c.mp3"}));
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{3});
  EXPECT_EQ(core.listView.focusedRow, 3);
  QueueSelectedRows(core);  // last row: stays there
  EXPECT_EQ(core.playlist.QueueEntries.back(), "/m/d.mp3");
  EXPECT_EQ(core.listView.focusedRow, 3);
}

TEST_F(ModelTest, FileCountPanel) {
  SetEntries({});
  EXPECT_EQ(core.texts.statusPanels[1], "0 Files");
  SetEntries({"/m/a.mp3"});
  EXPECT_EQ(core.texts.statusPanels[1], "1 File");
  SetEntries({"/m/a.mp3", "/m/b.mp3"});
  EXPECT_EQ(core.texts.statusPanels[1], "2 Files");
  EXPECT_EQ(FileCountText(100000), "100000 Files");
}

TEST_F(ModelTest, UpdateListViewWithoutKeepingSelectsTheFirstRow) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"});
  core.listView.topRow = 1;
  SelectSingle(core, 2);
  UpdateListView(core, false, false);
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{0});
  EXPECT_EQ(core.listView.focusedRow, 0);
  EXPECT_EQ(core.listView.topRow, 0);
}

TEST_F(ModelTest, UpdateListViewKeepsPositionAndSelection) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3", "/m/e.mp3"});
  core.listView.ClearSelection();
  core.listView.Select(1, true);
  core.listView.Select(3, true);
  core.listView.focusedRow = 4;
  core.listView.topRow = 2;
  core.playlist.PlaylistEntries.resize(4);
  UpdateListView(core, true, true);
  EXPECT_EQ(core.listView.RowCount(), 4);
  EXPECT_EQ(core.listView.focusedRow, 3);  // clamped to the last row
  EXPECT_EQ(core.listView.SelectedRows(), (std::vector<int>{1, 3}));
  EXPECT_EQ(core.listView.topRow, 2);

  core.listView.Select(0, true);
  UpdateListView(core, true, false);  // only the focused row stays selected
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{3});
}

TEST_F(ModelTest, UpdateListViewOnAnEmptyViewDoesNotKeepPosition) {
  core.playlist.PlaylistEntries = {"/m/a.mp3", "/m/b.mp3"};
  UpdateListView(core, true, true);
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{0});
  EXPECT_EQ(core.texts.checkedViewCommand, 0);
  core.playlist.ViewFormat = 5;
  UpdateListView(core, true, true);
  EXPECT_EQ(core.texts.checkedViewCommand, -1);
}

TEST_F(ModelTest, SelectSingleIgnoresRowsOutsideTheList) {
  SetEntries({"/m/a.mp3", "/m/b.mp3"});
  SelectSingle(core, 1);
  SelectSingle(core, -1);
  SelectSingle(core, 2);
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(core.listView.focusedRow, 1);
}

TEST_F(ModelTest, RelocateCurrentFindsTheFirstEqualEntry) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/b.mp3"});
  core.playlist.PlayingEntry = "/m/b.mp3";
  RelocateCurrent(core.playlist);
  EXPECT_EQ(core.playlist.CurrentIndex, 1);
  core.playlist.PlayingEntry = "/m/B.mp3";
  RelocateCurrent(core.playlist);
  EXPECT_EQ(core.playlist.CurrentIndex, -1);
}

TEST_F(ModelTest, ScrollToCurrentPlacesTheRowTwoFromTheTopOrMidPageInShuffle) {
  std::vector<std::string> entries;
  for (int i = 0; i < 100; ++i) entries.push_back("/m/" + std::to_string(i) + ".mp3");
  SetEntries(entries);
  core.listView.rowsPerPage = 10;
  core.playlist.CurrentIndex = 8;  // top 0: rows 0..8 count as visible
  ScrollToCurrent(core);
  EXPECT_EQ(core.listView.topRow, 0);
  core.playlist.CurrentIndex = 9;
  ScrollToCurrent(core);
  EXPECT_EQ(core.listView.topRow, 7);
  core.settings.playMode = 4;
  core.playlist.CurrentIndex = 50;
  ScrollToCurrent(core);
  EXPECT_EQ(core.listView.topRow, 46);
  core.playlist.CurrentIndex = 1;
  ScrollToCurrent(core);
  EXPECT_EQ(core.listView.topRow, 0);
}

// A favourite of 56 entries whose current entry is the last: the view shows
// a full last page, and keeps it full when the page grows or rows go.
TEST_F(ModelTest, TheTopRowNeverPassesTheLastFullPage) {
  std::vector<std::string> entries;
  for (int i = 0; i < 56; ++i) entries.push_back("/m/" + std::to_string(i) + ".mp3");
  SetEntries(entries);
  core.listView.rowsPerPage = 20;
  core.playlist.CurrentIndex = 55;
  ScrollToCurrent(core);
  EXPECT_EQ(core.listView.topRow, 56 - 20);
  core.listView.rowsPerPage = 30;
  core.listView.ClampTopRow();
  EXPECT_EQ(core.listView.topRow, 56 - 30);
  core.playlist.PlaylistEntries.resize(40);
  UpdateListView(core, true, true);
  EXPECT_EQ(core.listView.topRow, 40 - 30);
}

TEST_F(ModelTest, ViewFormatCyclesThroughTheThreeStyles) {
  SetEntries({"/m/a.mp3"});
  CycleViewFormat(core);
  EXPECT_EQ(core.playlist.ViewFormat, 1);
  CycleViewFormat(core);
  CycleViewFormat(core);
  EXPECT_EQ(core.playlist.ViewFormat, 0);
  EXPECT_EQ(core.texts.checkedViewCommand, 0);
}

TEST_F(ModelTest, MessageBoxesShowTheirKind) {
  ShowMessageBox(core, MessageKind::Warning, "careful");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(PlaylistAutosaveFile(core), home.Path() + "Playlist.txt");
}

}  // namespace
}  // namespace tarvo
