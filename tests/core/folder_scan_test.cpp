#include "playlist/folder_scan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "playlist/entry.h"
#include "playlist/model.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

using Paths = std::vector<std::string>;

class FolderScanTest : public testing::CoreTest {
 protected:
  std::string Music(const std::string& relative) { return music.Write(relative, "x"); }

  testing::TempFolder music;
};

TEST_F(FolderScanTest, KeepsOnlyMp3WavAndOggByTheirLastThreeLetters) {
  for (const char* name : {"a.MP3", "b.wav", "c.ape", "d.mp2", "song_mp3", "e.OGG"}) Music(name);
  OpenFolder(core, music.Path(), true, false, false);
  EXPECT_EQ(core.playlist.PlaylistEntries,
            (Paths{music.Path() + "a.MP3", music.Path() + "b.wav", music.Path() + "e.OGG", music.Path() + "song_mp3"}));
  EXPECT_EQ(core.texts.statusPanels[1], "4 Files");
  EXPECT_EQ(core.texts.statusPanels[3], "");
  EXPECT_FALSE(core.playlist.ScanInProgress);
  EXPECT_FALSE(ui.busyCursor);
}

TEST_F(FolderScanTest, KeepsFlacOpusAndMp4AudioByTheirExtension) {
  for (const char* name : {"a.FLAC", "b.opus", "c.m4a", "d.aac", "song_flac"}) Music(name);
  OpenFolder(core, music.Path(), true, false, false);
  EXPECT_EQ(core.playlist.PlaylistEntries, (Paths{music.Path() + "a.FLAC", music.Path() + "b.opus",
                                                  music.Path() + "c.m4a", music.Path() + "d.aac"}));
}

TEST_F(FolderScanTest, SubfoldersAreEntriesOnlyWithoutRecursion) {
  Music("old mp3/inner.mp3");
  Music("top.mp3");
  OpenFolder(core, music.Path(), true, false, false);
  EXPECT_EQ(core.playlist.PlaylistEntries, (Paths{music.Path() + "old mp3", music.Path() + "top.mp3"}));
  OpenFolder(core, music.Path(), true, false, true);
  EXPECT_EQ(core.playlist.PlaylistEntries, (Paths{music.Path() + "old mp3/inner.mp3", music.Path() + "top.mp3"}));
}

TEST_F(FolderScanTest, SortsNewFilesByTheSortingWay) {
  Music("album 1/01.mp3");
  Music("album 2/02.mp3");
  Music("album 1/03.mp3");
  Music("album 2/04.mp3");
  OpenFolder(core, music.Path(), true, false, true);
  EXPECT_EQ(FileNameOf(core.playlist.PlaylistEntries[1]), "03.mp3");
  core.playlist.SortingWay = 1;
  OpenFolder(core, music.Path(), true, false, true);
  EXPECT_EQ(FileNameOf(core.playlist.PlaylistEntries[1]), "02.mp3");
}

TEST_F(FolderScanTest, AddingKeepsOldEntriesSelectionAndScroll) {
  Music("z.mp3");
  Music("y.mp3");
  SetEntries({"/old/b.mp3", "/old/a.mp3", "/old/c.mp3"});
  SelectSingle(core, 1);
  core.listView.topRow = 1;
  OpenFolder(core, music.Path(), false, true, false);
  EXPECT_EQ(core.playlist.PlaylistEntries,
            (Paths{"/old/b.mp3", "/old/a.mp3", "/old/c.mp3", music.Path() + "y.mp3", music.Path() + "z.mp3"}));
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(core.listView.topRow, 1);
}

TEST_F(FolderScanTest, OpeningKeepsThePlayingMarkWhenTheEntryIsInTheNewList) {
  const std::string b = Music("b.mp3");
  Music("a.mp3");
  Music("c.mp3");
  SetEntries({"/old/x.mp3", b});
  core.playlist.PlayingEntry = b;
  core.playlist.CurrentIndex = 1;
  OpenFolder(core, music.Path(), true, false, false);
  EXPECT_EQ(core.playlist.CurrentIndex, 1);
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{1});

  core.playlist.PlayingEntry = "/elsewhere/q.mp3";
  OpenFolder(core, music.Path(), true, false, false);
  EXPECT_EQ(core.playlist.CurrentIndex, -1);
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{0});
}

TEST_F(FolderScanTest, MissingFolderAndEmptyResultLeaveTheListAlone) {
  SetEntries({"/old/a.mp3"});
  OpenFolder(core, music.Path() + "missing", true, false, true);
  Music("notes.txt");
  OpenFolder(core, music.Path(), true, false, true);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(ui.messages[0].text, "Can't open this folder.");
  EXPECT_EQ(ui.messages[1].kind, MessageKind::Information);
  EXPECT_EQ(ui.messages[1].text, "No music files found in given folder.");
  EXPECT_EQ(core.playlist.PlaylistEntries, Paths{"/old/a.mp3"});
}

TEST_F(FolderScanTest, EscAsksAndNoContinuesYesLeavesTheListAsItWas) {
  Music("one/a.mp3");
  Music("two/b.mp3");
  SetEntries({"/old/a.mp3"});
  ui.onPendingEvents = [this] { core.playlist.AbortRequested = true; };
  ui.answers = {false, false, false, false};
  OpenFolder(core, music.Path(), true, false, true);
  EXPECT_EQ(core.playlist.PlaylistEntries.size(), 2u);
  EXPECT_EQ(ui.questions.front(), "Abort operation?");

  ui.answers = {false, true};
  OpenFolder(core, music.Path(), true, false, true);
  EXPECT_EQ(ui.questions.size(), 5u);
  EXPECT_EQ(core.playlist.PlaylistEntries.size(), 2u);
  EXPECT_FALSE(core.playlist.ScanInProgress);
  EXPECT_TRUE(ui.messages.empty());
  ui.onPendingEvents = nullptr;
  EXPECT_FALSE(core.playlist.AbortRequested);
}

TEST_F(FolderScanTest, SymlinkLoopsAndUnreadableFoldersDoNotStopTheScan) {
  Music("a/song.mp3");
  Music("b/other.mp3");
  std::filesystem::create_directory_symlink(music.Path() + "a", music.Path() + "a/loop");
  std::filesystem::create_directory_symlink(music.Path(), music.Path() + "b/up");
  std::filesystem::create_directory(music.Path() + "locked");
  Music("locked/hidden.mp3");
  chmod((music.Path() + "locked").c_str(), 0);
  OpenFolder(core, music.Path(), true, false, true);
  Paths expected = {music.Path() + "a/song.mp3", music.Path() + "b/other.mp3"};
  if (geteuid() == 0) expected.push_back(music.Path() + "locked/hidden.mp3");  // root reads anyway
  EXPECT_EQ(core.playlist.PlaylistEntries, expected);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FolderScanTest, WaitsForAGaplessSwitchAndStopsAPausedOutput) {
  Music("a.mp3");
  playback.decoderEnded = true;
  playback.paused = true;
  int waits = 0;
  ui.onPendingEvents = [&] {
    if (++waits == 2) playback.decoderEnded = false;
  };
  OpenFolder(core, music.Path(), true, false, false);
  EXPECT_EQ(playback.stops, std::vector<bool>{true});
  EXPECT_EQ(core.playlist.PlaylistEntries.size(), 1u);
}

TEST_F(FolderScanTest, SetSortingWayResortsAndKeepsThePlayingEntry) {
  SetEntries({"/b/1.mp3"});
  SetSortingWay(core, 1);
  EXPECT_EQ(core.playlist.SortingWay, 1);
  SetEntries({"/b/1.mp3", "/a/2.mp3", "/a/0.mp3"});
  core.playlist.CurrentIndex = 0;
  SetSortingWay(core, 1);
  EXPECT_EQ(core.playlist.PlaylistEntries, (Paths{"/a/0.mp3", "/b/1.mp3", "/a/2.mp3"}));
  EXPECT_EQ(core.playlist.CurrentIndex, 1);
  SetSortingWay(core, 0);
  EXPECT_EQ(core.playlist.PlaylistEntries, (Paths{"/a/0.mp3", "/a/2.mp3", "/b/1.mp3"}));
  EXPECT_EQ(core.playlist.CurrentIndex, 2);
}

// A file handed over during a scan opens its folder in a scan of its own;
// Esc after that must still find the outer scan busy, or it would close the
// window under the running scan.
TEST_F(FolderScanTest, AScanInsideAnotherLeavesTheOuterOneBusy) {
  Music("outer/a/1.mp3");
  Music("outer/b/2.mp3");
  Music("inner/3.mp3");
  bool nested = false;
  std::vector<bool> busyAfterNested;
  ui.onPendingEvents = [&] {
    if (!nested && core.playlist.ScanInProgress) {
      nested = true;
      OpenFolder(core, music.Path() + "inner/", false, true, false);
      busyAfterNested.push_back(core.playlist.ScanInProgress);
    }
  };
  OpenFolder(core, music.Path() + "outer/", false, true, true);
  ui.onPendingEvents = nullptr;
  EXPECT_EQ(busyAfterNested, std::vector<bool>{true});
  EXPECT_FALSE(core.playlist.ScanInProgress);
  EXPECT_EQ(core.playlist.PlaylistEntries.size(), 3u);
}

TEST_F(FolderScanTest, AnExitRequestStopsTheScanWithoutAsking) {
  Music("a/1.mp3");
  Music("b/2.mp3");
  core.playlist.PlaylistEntries = {"/kept.mp3"};
  ui.onPendingEvents = [this] { core.playlist.ExitRequested = core.playlist.ScanInProgress; };
  EXPECT_FALSE(OpenFolder(core, music.Path(), true, false, true));
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_EQ(core.playlist.PlaylistEntries, Paths{"/kept.mp3"});
}

}  // namespace
}  // namespace tarvo
