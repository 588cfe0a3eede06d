#include "playlist/editing.h"

#include <gtest/gtest.h>

#include "playback/key_dispatcher.h"
#include "playlist/folder_scan.h"
#include "playlist/load_into_playlist.h"
#include "playlist/model.h"
#include "support/core_fixture.h"
#include "support/fake_desktop.h"

namespace tarvo {
namespace {

using Entries = std::vector<std::string>;
using Rows = std::vector<int>;

class EditingTest : public testing::CoreTest {
 protected:
  EditingTest() { core.desktop = &desktop; }

  void SelectRows(const Rows& rows, int focused) {
    core.listView.ClearSelection();
    for (const int row : rows) core.listView.Select(row, true);
    core.listView.focusedRow = focused;
  }
  void Play(int index) {
    core.playlist.CurrentIndex = index;
    core.playlist.PlayingEntry = core.playlist.PlaylistEntries[index];
  }
  const std::string& LastMessage() const { return ui.messages.back().text; }
  const Entries& List() const { return core.playlist.PlaylistEntries; }

  testing::FakeDesktop desktop;
};

TEST_F(EditingTest, RemovingRowsAboveThePlayingRowKeepsItsMarkAndRemovingItDropsTheMark) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3", "/m/e.mp3"});
  Play(3);
  SelectRows({0, 1}, 1);
  DeleteAc(core);
  EXPECT_EQ(List(), (Entries{"/m/c.mp3", "/m/d.mp3", "/m/e.mp3"}));
  EXPECT_EQ(core.playlist.CurrentIndex, 1);

  SelectRows({1, 2}, 2);
  DeleteAc(core);
  EXPECT_EQ(List(), Entries{"/m/c.mp3"});
  EXPECT_EQ(core.playlist.CurrentIndex, -1);
  EXPECT_TRUE(playback.stops.empty());  // the music goes on
  EXPECT_EQ(core.listView.focusedRow, 0);
  EXPECT_EQ(core.texts.statusPanels[1], "1 File");
}

TEST_F(EditingTest, EachRemovedRowTakesOneQueueElement) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/b.mp3", "/m/c.mp3"});
  core.playlist.QueueEntries = {"/m/b.mp3", "/m/c.mp3", "/m/b.mp3", "/m/b.mp3"};
  SelectRows({1}, 1);
  DeleteAc(core);
  EXPECT_EQ(core.playlist.QueueEntries, (Entries{"/m/c.mp3", "/m/b.mp3", "/m/b.mp3"}));
  SelectRows({1, 2}, 1);  // the other b and c
  DeleteAc(core);
  EXPECT_EQ(core.playlist.QueueEntries, Entries{"/m/b.mp3"});
  EXPECT_EQ(List(), Entries{"/m/a.mp3"});
}

TEST_F(EditingTest, CropKeepsSelectedRowsOrElseTheQueueInQueueOrder) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3", "/m/e.mp3"});
  Play(1);
  core.playlist.QueueEntries = {"/m/d.mp3", "/m/b.mp3", "/m/e.mp3"};
  SelectRows({0}, 0);
  CropAc(core);
  EXPECT_EQ(List(), (Entries{"/m/d.mp3", "/m/b.mp3", "/m/e.mp3"}));
  EXPECT_TRUE(core.playlist.QueueEntries.empty());
  EXPECT_EQ(core.playlist.CurrentIndex, 1);
  EXPECT_EQ(core.listView.SelectedRows(), Rows{1});

  core.playlist.QueueEntries = {"/m/e.mp3"};
  SelectRows({0, 2}, 2);
  CropAc(core);
  EXPECT_EQ(List(), (Entries{"/m/d.mp3", "/m/e.mp3"}));
  EXPECT_EQ(core.playlist.QueueEntries, Entries{"/m/e.mp3"});
  EXPECT_EQ(core.playlist.CurrentIndex, -1);

  core.playlist.QueueEntries.clear();
  SelectRows({0}, 0);
  CropAc(core);
  EXPECT_EQ(List().size(), 2u);
  EXPECT_EQ(LastMessage(), "Please select or queue at least two files first.");
}

TEST_F(EditingTest, CutThenPasteOnAnotherRowMovesTheEntries) {
  SetEntries({"/m/a.mp3", "http://radio/x|Jazz FM", "/m/c.mp3", "/m/d.mp3", "/m/e.mp3"});
  core.listView.rowsPerPage = 10;
  Play(4);
  SelectRows({1, 2}, 2);
  CutAc(core);
  EXPECT_EQ(desktop.clipboard, "http://radio/x|Jazz FM\r\n/m/c.mp3\r\n");
  EXPECT_EQ(List(), (Entries{"/m/a.mp3", "/m/d.mp3", "/m/e.mp3"}));

  SelectRows({2}, 2);
  PastAc(core);
  EXPECT_EQ(List(), (Entries{"/m/a.mp3", "/m/d.mp3", "http://radio/x|Jazz FM", "/m/c.mp3", "/m/e.mp3"}));
  EXPECT_EQ(core.listView.SelectedRows(), (Rows{2, 3}));
  EXPECT_EQ(core.listView.focusedRow, 2);
  EXPECT_EQ(core.playlist.CurrentIndex, 4);

  // More rows than fit on the page are pasted unselected.
  core.listView.rowsPerPage = 2;
  SelectRows({0}, 0);
  PastAc(core);
  EXPECT_EQ(List()[0], "http://radio/x|Jazz FM");
  EXPECT_TRUE(core.listView.SelectedRows().empty());
}

TEST_F(EditingTest, PasteAcceptsLfAndCrLfAndKeepsALastLineWithoutLineEnd) {
  SetEntries({"/m/z.mp3"});
  SelectRows({0}, 0);
  desktop.clipboard = "/m/a.mp3\n/m/b.mp3";
  PastAc(core);
  desktop.clipboard = "/m/c.mp3\r\n\r\n/m/d.mp3";
  PastAc(core);
  EXPECT_EQ(List(), (Entries{"/m/c.mp3", "", "/m/d.mp3", "/m/a.mp3", "/m/b.mp3", "/m/z.mp3"}));
  desktop.clipboard.clear();
  PastAc(core);
  EXPECT_EQ(List().size(), 6u);
}

TEST_F(EditingTest, CopyWithoutSelectionKeepsTheClipboardAndNoDesktopDoesNothing) {
  SetEntries({"/m/a.mp3", "/m/b.mp3"});
  desktop.clipboard = "kept";
  core.listView.ClearSelection();
  CopyAc(core);
  EXPECT_EQ(desktop.clipboard, "kept");

  core.desktop = nullptr;
  SelectRows({0, 1}, 0);
  CutAc(core);  // nothing to hold them: they stay
  PastAc(core);
  RealDelAc(core);
  EXPECT_EQ(List().size(), 2u);
  EXPECT_TRUE(ui.questions.empty());
}

TEST_F(EditingTest, TrashRemovesOnlyTheFilesTheTrashTook) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3"});
  Play(0);
  desktop.trashRefusals["/m/b.mp3"] = "Permission denied";
  SelectRows({0, 1, 2}, 2);
  ui.answers = {false};
  RealDelAc(core);
  EXPECT_EQ(ui.questions.back(), "Move these 3 files to the trash?");
  EXPECT_TRUE(desktop.trashed.empty());
  EXPECT_TRUE(playback.stops.empty());

  ui.answers = {true};
  RealDelAc(core);
  EXPECT_EQ(desktop.trashed, (Entries{"/m/a.mp3", "/m/c.mp3"}));
  EXPECT_EQ(playback.stops, std::vector<bool>{true});  // the playing file was among them
  EXPECT_EQ(List(), (Entries{"/m/b.mp3", "/m/d.mp3"}));
  EXPECT_EQ(core.playlist.CurrentIndex, -1);
  EXPECT_EQ(ui.messages.back().kind, MessageKind::Error);
  EXPECT_EQ(LastMessage(), "Tried to recycle file:/m/b.mp3\r\nPermission denied");

  SelectRows({1}, 1);
  ui.answers = {true};
  RealDelAc(core);
  EXPECT_EQ(ui.questions.back(), "Move this file to the trash?\r\r/m/d.mp3");
  EXPECT_EQ(List(), Entries{"/m/b.mp3"});
  EXPECT_EQ(playback.stops.size(), 1u);
}

TEST_F(EditingTest, MovingRowsCarriesSelectionFocusAndThePlayingMark) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3"});
  Play(0);
  SelectRows({0, 2}, 2);
  MoveSelectedRows(core, true);  // the first row is selected: nothing moves
  EXPECT_EQ(List()[0], "/m/a.mp3");
  EXPECT_EQ(core.listView.focusedRow, 2);

  SelectRows({1, 2}, 2);
  MoveSelectedRows(core, true);
  EXPECT_EQ(List(), (Entries{"/m/b.mp3", "/m/c.mp3", "/m/a.mp3", "/m/d.mp3"}));
  EXPECT_EQ(core.listView.SelectedRows(), (Rows{0, 1}));
  EXPECT_EQ(core.listView.focusedRow, 1);
  EXPECT_EQ(core.playlist.CurrentIndex, 2);

  EXPECT_TRUE(DispatchKeyCommand(core, kKeyDown, kCtrlModifier));
  EXPECT_EQ(List(), (Entries{"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3"}));
  EXPECT_EQ(core.listView.SelectedRows(), (Rows{1, 2}));
  EXPECT_EQ(core.playlist.CurrentIndex, 0);
  SelectRows({3}, 3);
  EXPECT_TRUE(DispatchKeyCommand(core, kKeyDown, kCtrlModifier));
  EXPECT_EQ(List()[3], "/m/d.mp3");

  EXPECT_TRUE(DispatchKeyCommand(core, kKeyDelete, kShiftModifier));
  EXPECT_EQ(List().size(), 3u);
}

TEST_F(EditingTest, RemoveMissingFilesRemovesStreamsAndCountsThem) {
  const std::string kept = home.Write("music/here.mp3", "x");
  SetEntries({"http://radio/a|Jazz", kept, "http://radio/b", "/nowhere/gone.mp3"});
  Play(1);
  BrokenFilesAc(core);
  EXPECT_EQ(List(), Entries{kept});
  EXPECT_EQ(core.playlist.CurrentIndex, 0);
  EXPECT_EQ(LastMessage(), "3 missing file(s) removed.");
  BrokenFilesAc(core);
  EXPECT_EQ(LastMessage(), "0 missing file(s) removed.");
}

TEST_F(EditingTest, RefreshAfterATextPlaylistUsesTheFirstEntrysFolderAndAppendsInScanOrder) {
  const std::string folder = home.Path() + "music/";
  const std::string known = home.Write("music/known.mp3", "x");
  for (const char* name : {"music/z new.mp3", "music/a new.OGG", "music/sub/deep.wav", "music/cover.jpg"}) {
    home.Write(name, "x");
  }
  const std::string list = home.Write("list.txt", known + "\r\n" + folder + "gone.mp3\r\n");
  LoadIntoPlaylist(core, list, LoadMode::ReplaceList);
  ASSERT_EQ(List().size(), 2u);
  core.playlist.LastScannedFolder.clear();

  RefreshAc(core);
  EXPECT_EQ(core.playlist.LastScannedFolder, folder);
  // The new files come in the order the file system lists them, unsorted.
  Entries expected{known};
  Entries scanned;
  ScanFolder(core, folder, true, scanned);
  for (const std::string& path : scanned) {
    if (IsAcceptedMusicFile(path) && path != known) expected.push_back(path);
  }
  EXPECT_EQ(List(), expected);
  EXPECT_EQ(LastMessage(), "1 missing file(s) removed.\r3 new file(s) found in:\r\r" + folder);
  EXPECT_FALSE(core.playlist.ScanInProgress);

  RefreshAc(core);
  EXPECT_EQ(List().size(), 4u);
  EXPECT_EQ(LastMessage(), "0 new file(s) found in:\r\r" + folder);
}

TEST_F(EditingTest, RefreshWithoutAFolderAsksToOpenOne) {
  SetEntries({});
  RefreshAc(core);
  EXPECT_EQ(LastMessage(), "Open a folder first.");
}

TEST_F(EditingTest, TotalTimeAddsUpTheSelectedFiles) {
  SetEntries({"/m/a.mp3", "/m/b.ogg", "http://radio/x|Jazz", "/m/c.wav", "/m/skip.mp3", "/m/broken.mp3"});
  playback.fileLengths = {{"/m/a.mp3", 60}, {"/m/b.ogg", 150}, {"/m/c.wav", 45}, {"/m/skip.mp3", 600}};
  core.texts.statusPanels[3] = "128 Kbps Stereo";
  SelectRows({0, 1, 2, 3, 5}, 0);
  TotalTimeAc(core);
  EXPECT_EQ(LastMessage(), "Total time: 4:15 minutes.");
  // The device was opened for the command and released again.
  EXPECT_EQ(playback.calls, Entries{"EnsureAudioDevice"});
  EXPECT_EQ(playback.stops, std::vector<bool>{true});
  EXPECT_EQ(core.texts.statusPanels[3], "128 Kbps Stereo");
  EXPECT_FALSE(core.playlist.ScanInProgress);

  playback.deviceOpen = true;
  TotalTimeAc(core);
  EXPECT_EQ(playback.calls.size(), 1u);
  EXPECT_EQ(playback.stops.size(), 1u);
}

TEST_F(EditingTest, TotalTimeShowsProgressEveryTenthFileAndEscAsksToAbort) {
  Entries entries;
  for (int i = 0; i < 25; ++i) {
    entries.push_back("/m/" + std::to_string(i) + ".mp3");
    playback.fileLengths[entries.back()] = 1;
  }
  SetEntries(entries);
  playback.deviceOpen = true;
  SelectAllRows(core);
  Entries progress;
  ui.onPendingEvents = [&] { progress.push_back(core.texts.statusPanels[3]); };
  TotalTimeAc(core);
  EXPECT_EQ(progress, (Entries{"Calculating time... 0/25 Press ESC to abort", "Calculating time... 10/25 Press ESC to abort",
                               "Calculating time... 20/25 Press ESC to abort"}));
  EXPECT_EQ(LastMessage(), "Total time: 0:25 minutes.");

  const std::size_t messages = ui.messages.size();
  ui.onPendingEvents = [&] { core.playlist.AbortRequested = true; };
  ui.answers = {false, true};  // go on at the first Esc, stop at the second
  TotalTimeAc(core);
  EXPECT_EQ(ui.questions, (Entries{"Abort operation?", "Abort operation?"}));
  EXPECT_EQ(ui.messages.size(), messages);
  EXPECT_FALSE(core.playlist.AbortRequested);
  EXPECT_FALSE(core.playlist.ScanInProgress);
}

TEST_F(EditingTest, AddedAndDroppedFilesAreSortedByWholePath) {
  SetEntries({"/old.mp3"});
  ui.chosenFileLists.push_back({"/x/z.mp3", "/x/a.xyz", "/x/B.mp3"});
  OpenFileAc(core);
  EXPECT_EQ(ui.fileDialogs.back().title, "Add music file(s) to playlist");
  EXPECT_TRUE(ui.fileDialogs.back().filter.ends_with("|All files (*.*)|*.*"));
  EXPECT_EQ(List(), (Entries{"/old.mp3", "/x/a.xyz", "/x/B.mp3", "/x/z.mp3"}));
  OpenFileAc(core);  // cancelled
  EXPECT_EQ(List().size(), 4u);

  const std::string folder = home.Path() + "drop/";
  home.Write("drop/inner/2.mp3", "x");
  home.Write("drop/1.mp3", "x");
  const std::string list = home.Write("dropped.m3u", "/from/list.mp3\n");
  SetEntries({});
  DropFiles(core, {"/y/a.mp3", folder, list, "/x/b.mp3", "/x/A.mp3"});
  EXPECT_EQ(List(), (Entries{folder + "1.mp3", folder + "inner/2.mp3", "/from/list.mp3", "/x/A.mp3", "/x/b.mp3",
                             "/y/a.mp3"}));
  EXPECT_FALSE(ui.busyCursor);
}

TEST_F(EditingTest, EditEntryReplacesTheFocusedEntryOnOkOnly) {
  SetEntries({"/m/a.mp3", "/m/b.mp3"});
  SelectRows({1}, 1);
  ui.textAnswers = {std::nullopt, "/m/edited.mp3"};
  ListEntryAc(core);
  EXPECT_EQ(List()[1], "/m/b.mp3");
  ListEntryAc(core);
  EXPECT_EQ(List()[1], "/m/edited.mp3");
  EXPECT_EQ(ui.textQuestions.front(), (Entries{"Edit playlist entry", "Entry", "/m/b.mp3"}));
}

TEST_F(EditingTest, NewListAndClearHistoryEmptyTheQueueAndHistory) {
  SetEntries({"/m/a.mp3", "/m/b.mp3"});
  Play(1);
  core.playlist.ShuffleHistory = {"/m/a.mp3"};
  ClearShuffleHistoryAc(core);
  EXPECT_TRUE(core.playlist.ShuffleHistory.empty());
  core.playlist.QueueEntries = {"/m/a.mp3"};
  NewListAc(core);
  EXPECT_TRUE(List().empty());
  EXPECT_TRUE(core.playlist.QueueEntries.empty());
  EXPECT_EQ(core.playlist.CurrentIndex, -1);
  EXPECT_EQ(core.texts.statusPanels[1], "0 Files");
}

TEST_F(EditingTest, FileManagerAndCopyTitle) {
  SetEntries({"/m/rock/a.mp3", "http://radio/x|Jazz"});
  SelectRows({0}, 0);
  ExplorerFile(core);
  SelectRows({1}, 1);
  ExplorerFile(core);  // a stream has no folder: nothing at all
  ExplorerExe(core);
  EXPECT_EQ(desktop.shownFolders, (Entries{"/m/rock/", home.Path()}));
  EXPECT_TRUE(ui.messages.empty());

  SetEntries({});
  core.playlist.PlayingEntry = "/gone/a.mp3";
  ExplorerFile(core);
  EXPECT_EQ(LastMessage(), "No file selected to open its folder.");
  EXPECT_EQ(ui.messages.back().kind, MessageKind::Warning);

  SetEntries({"/m/rock/a.mp3", "/m/b.mp3"});
  CopyPlAc(core);
  EXPECT_TRUE(desktop.clipboard.empty());
  Play(0);
  CopyPlAc(core);
  EXPECT_EQ(desktop.clipboard, "a.mp3\r\n");
}

}  // namespace
}  // namespace tarvo
