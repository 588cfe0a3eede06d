// The file information command: the window chosen for the selection, the
// facts shown, the tidy rule, the rename that never replaces a file, the tag
// view and the properties request.
#include "media/file_info.h"

#include <gtest/gtest.h>

#include "support/core_fixture.h"
#include "support/fake_desktop.h"

namespace tarvo {
namespace {

class FileInfoTest : public testing::CoreTest {
 protected:
  FileInfoTest() { core.desktop = &desktop; }

  void Focus(int row) {
    core.listView.ClearSelection();
    core.listView.Select(row, true);
    core.listView.focusedRow = row;
  }
  // The file of row `index` is the one that plays.
  void MarkPlaying(int index) {
    core.playlist.CurrentIndex = index;
    core.playlist.PlayingEntry = core.playlist.PlaylistEntries[index];
    playback.deviceOpen = true;
  }

  testing::FakeDesktop desktop;
};

TEST_F(FileInfoTest, TheSelectionChoosesTheWindow) {
  const std::string song = home.Write("a.mp3", "x");
  SetEntries({song, "http://radio.example/live|Radio", home.Path() + "gone.mp3", home.Write("b.mp3", "x")});
  Focus(1);
  EXPECT_EQ(ChooseFileInfoWindow(core), FileInfoWindow::StreamEditor);
  Focus(0);
  EXPECT_EQ(ChooseFileInfoWindow(core), FileInfoWindow::FileInformation);
  Focus(2);
  EXPECT_EQ(ChooseFileInfoWindow(core), FileInfoWindow::None);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "File not found.\r\r" + home.Path() + "gone.mp3");

  core.listView.Select(3, true);
  EXPECT_EQ(ChooseFileInfoWindow(core), FileInfoWindow::Renamer);
  core.listView.Select(1, true);
  EXPECT_EQ(ChooseFileInfoWindow(core), FileInfoWindow::None);
  EXPECT_EQ(ui.messages.back().text,
            "Your properties request is invalid.\rPlease select only music items or a single url item.");
}

TEST_F(FileInfoTest, ShowsGroupedSizeFormatAndLength) {
  const std::string song = home.Write("song.mp3", std::string(1234567, 'x'));
  playback.descriptions[song] = {"128 Kbps Stereo", 185123};
  EXPECT_EQ(FileInfoText(core, song),
            home.Path() + "\r\n\r\nSize: \t1,234,567 bytes\r\nFormat: \t128 Kbps Stereo\r\nLength: \t3:05:123");
}

TEST_F(FileInfoTest, TidyTurnsSeparatorsIntoSpacesAndShrinksRuns) {
  EXPECT_EQ(TidyFileName("My_Song%20Live.mp3"), "My Song Live.mp3");
  EXPECT_EQ(TidyFileName("a" + std::string(8, ' ') + "b"), "a b");
  EXPECT_EQ(TidyFileName("a" + std::string(9, ' ') + "b"), "a  b");
  EXPECT_EQ(TidyFileName("a_ _%20_b"), "a b");
}

TEST_F(FileInfoTest, TagButtonOnlyForMp3InAnyCase) {
  EXPECT_TRUE(HasTagButton("/music/A.MP3"));
  EXPECT_FALSE(HasTagButton("/music/a.wav"));
  EXPECT_FALSE(HasTagButton("/music/a.ogg"));
}

TEST_F(FileInfoTest, RenameToTheSameTextOrWithoutExtensionTouchesNothing) {
  const std::string song = home.Write("song.mp3", "one");
  SetEntries({song});
  EXPECT_EQ(RenameEntryFile(core, 0, "song.mp3"), RenameOutcome::Unchanged);
  EXPECT_EQ(RenameEntryFile(core, 0, "song"), RenameOutcome::NeedsExtension);
  EXPECT_EQ(ui.messages.at(0).text, "Please end your new filename with an extention (ie \".mp3\" or \".wav\")");
  EXPECT_EQ(core.playlist.PlaylistEntries[0], song);
  EXPECT_EQ(home.Read("song.mp3"), "one");
}

TEST_F(FileInfoTest, NeverRenamesOverAnotherFileNorAVanishedOne) {
  const std::string song = home.Write("song.mp3", "one");
  home.Write("other.mp3", "two");
  SetEntries({song, home.Path() + "vanished.mp3"});
  EXPECT_EQ(RenameEntryFile(core, 0, "other.mp3"), RenameOutcome::Refused);
  EXPECT_EQ(RenameEntryFile(core, 1, "back.mp3"), RenameOutcome::Refused);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, "Can't rename file.");
  EXPECT_EQ(home.Read("song.mp3"), "one");
  EXPECT_EQ(home.Read("other.mp3"), "two");
  EXPECT_EQ(core.playlist.PlaylistEntries, (std::vector<std::string>{song, home.Path() + "vanished.mp3"}));
}

TEST_F(FileInfoTest, RenamingThePlayingFileStartsItAgainWhereItWas) {
  const std::string song = home.Write("song.mp3", "one");
  SetEntries({song});
  MarkPlaying(0);
  playback.elapsedBytes = 176400;
  EXPECT_EQ(RenameEntryFile(core, 0, "Song Live.mp3"), RenameOutcome::Renamed);
  EXPECT_EQ(core.playlist.PlaylistEntries[0], home.Path() + "Song Live.mp3");
  EXPECT_EQ(home.Read("Song Live.mp3"), "one");
  EXPECT_EQ(playback.stops, std::vector<bool>{false});
  EXPECT_EQ(playback.played, std::vector<int>{0});
  EXPECT_EQ(playback.seeks, std::vector<std::int64_t>{176400});
}

TEST_F(FileInfoTest, TagViewShowsTheFieldsWithNulsAsSpaces) {
  std::string block = "TAG" + std::string(125, '\0');
  block.replace(3, 8, std::string("Song\0Two", 8));
  block[127] = 17;
  const std::string song = home.Write("tagged.mp3", std::string(200, 'x') + block);
  const std::string rule = std::string(60, '-') + "\r\n";
  EXPECT_EQ(TagViewText(song), home.Path() + "\r\ntagged.mp3\r\n\r\n" + rule +
                                   "MP3v1 Tags:\r\nTitle: Song Two\r\nArtist: \r\nAlbum: \r\nYear: \r\n"
                                   "Genre: Rock\r\nComments: \r\n" + rule);
}

TEST_F(FileInfoTest, PropertiesAskTheFileManagerForTheFocusedFile) {
  SetEntries({"/music/a.mp3", "http://radio.example/live|Radio"});
  core.listView.focusedRow = -1;
  PropertiesAc(core);
  Focus(1);
  PropertiesAc(core);
  Focus(0);
  PropertiesAc(core);
  EXPECT_EQ(desktop.propertiesShown, std::vector<std::string>{"/music/a.mp3"});
}

}  // namespace
}  // namespace tarvo
