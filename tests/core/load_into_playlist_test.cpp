#include "playlist/load_into_playlist.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "playlist/editing.h"
#include "playlist/playlist_commands.h"
#include "settings/settings_store.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

using testing::CoreTest;
using Entries = std::vector<std::string>;

class LoadIntoPlaylistTest : public CoreTest {
 protected:
  LoadIntoPlaylistTest() {
    music = files.Path() + "music/";
    for (const char* name : {"a.mp3", "b.mp3", "c.ogg", "notes.txt.bak"}) files.Write("music/" + std::string(name), "");
  }

  const Entries& entries() const { return core.playlist.PlaylistEntries; }

  testing::TempFolder files;
  std::string music;
};

TEST_F(LoadIntoPlaylistTest, DialogsAndDropsAppendOrReplace) {
  SetEntries({"/m/old.mp3"});
  LoadIntoPlaylist(core, "/m/x.ape", LoadMode::AddToList);  // unsupported: ignored
  LoadIntoPlaylist(core, "/m/new.mp3", LoadMode::AddToList);
  LoadIntoPlaylist(core, "http://radio.example/live|Jazz", LoadMode::DroppedFiles);
  EXPECT_EQ(entries(), (Entries{"/m/old.mp3", "/m/new.mp3", "http://radio.example/live|Jazz"}));
  EXPECT_EQ(core.listView.RowCount(), 3);

  const std::string list = files.Write("lists/a.m3u", "x.mp3\n");
  LoadIntoPlaylist(core, list, LoadMode::DroppedFiles);
  EXPECT_EQ(entries().back(), files.Path() + "lists/x.mp3");
  LoadIntoPlaylist(core, list, LoadMode::ReplaceList);
  EXPECT_EQ(entries(), Entries{files.Path() + "lists/x.mp3"});
  EXPECT_EQ(core.listView.RowCount(), 1);
  EXPECT_TRUE(playback.played.empty());
}

TEST_F(LoadIntoPlaylistTest, ShellStartFollowsTheEnqueueOption) {
  home.Write("Playlist.txt", "/m/previous.mp3\r\n");  // the previous run's list

  WriteEnqueueOption(core, 0);  // play the file in an emptied list
  LoadIntoPlaylist(core, music + "b.mp3", LoadMode::OpenFromShell);
  EXPECT_EQ(entries(), Entries{music + "b.mp3"});
  EXPECT_EQ(core.playlist.CurrentIndex, 0);

  SetEntries({});
  WriteEnqueueOption(core, 1);  // continue the previous list
  LoadIntoPlaylist(core, music + "b.mp3", LoadMode::OpenFromShell);
  EXPECT_EQ(entries(), (Entries{"/m/previous.mp3", music + "b.mp3"}));
  EXPECT_EQ(core.playlist.CurrentIndex, 1);

  SetEntries({});
  WriteEnqueueOption(core, 2);  // the file's folder
  LoadIntoPlaylist(core, music + "b.mp3", LoadMode::OpenFromShell);
  EXPECT_EQ(entries(), (Entries{music + "a.mp3", music + "b.mp3", music + "c.ogg"}));
  EXPECT_EQ(core.playlist.CurrentIndex, 1);
  EXPECT_EQ(core.playlist.LastScannedFolder, music);
  // The start-up sequence plays; the load itself does not.
  EXPECT_TRUE(playback.played.empty());
  EXPECT_TRUE(playback.stops.empty());
}

TEST_F(LoadIntoPlaylistTest, SecondInstanceFollowsTheEnqueueOption) {
  SetEntries({"/m/playing.mp3", "/m/other.mp3"});
  core.playlist.CurrentIndex = 0;

  WriteEnqueueOption(core, 1);  // appended, not played, the mark stays
  LoadIntoPlaylist(core, music + "a.mp3", LoadMode::FromOtherInstance);
  EXPECT_EQ(entries(), (Entries{"/m/playing.mp3", "/m/other.mp3", music + "a.mp3"}));
  EXPECT_EQ(core.playlist.CurrentIndex, 0);
  LoadIntoPlaylist(core, "/m/other.mp3", LoadMode::FromOtherInstance);  // already there
  EXPECT_EQ(entries().size(), 3u);
  EXPECT_EQ(core.playlist.CurrentIndex, 0);
  EXPECT_TRUE(playback.played.empty());

  WriteEnqueueOption(core, 0);  // plays in a list holding only the file
  LoadIntoPlaylist(core, music + "c.ogg", LoadMode::FromOtherInstance);
  EXPECT_EQ(entries(), Entries{music + "c.ogg"});
  EXPECT_EQ(playback.played, std::vector<int>{0});

  WriteEnqueueOption(core, 2);  // stops, opens the folder, plays the file
  LoadIntoPlaylist(core, music + "b.mp3", LoadMode::FromOtherInstance);
  EXPECT_EQ(playback.stops, std::vector<bool>{false});
  EXPECT_EQ(entries(), (Entries{music + "a.mp3", music + "b.mp3", music + "c.ogg"}));
  EXPECT_EQ(playback.played, (std::vector<int>{0, 1}));
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{1});

  // An address has no folder to open: no "Can't open this folder." warning.
  LoadIntoPlaylist(core, "http://radio.example/live", LoadMode::FromOtherInstance);
  EXPECT_EQ(entries(), Entries{"http://radio.example/live"});
  EXPECT_EQ(playback.played.back(), 0);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LoadIntoPlaylistTest, HandedOverPlaylistPlaysFromItsFirstEntry) {
  SetEntries({"/m/playing.mp3"});
  core.playlist.CurrentIndex = 0;
  WriteEnqueueOption(core, 1);
  const std::string list = files.Write("a.pls", "[playlist]\nFile1=/m/x.mp3\nFile2=/m/y.mp3\n");
  LoadIntoPlaylist(core, list, LoadMode::FromOtherInstance);
  EXPECT_EQ(entries(), (Entries{"/m/playing.mp3", "/m/x.mp3", "/m/y.mp3"}));
  EXPECT_EQ(core.playlist.CurrentIndex, 1);
  EXPECT_EQ(playback.played, std::vector<int>{1});

  // A playlist with nothing in it plays nothing and leaves the mark where it was.
  LoadIntoPlaylist(core, files.Write("empty.m3u", ""), LoadMode::FromOtherInstance);
  LoadIntoPlaylist(core, files.Path() + "missing.m3u", LoadMode::FromOtherInstance);
  EXPECT_EQ(core.playlist.CurrentIndex, 1);
  EXPECT_EQ(playback.played, std::vector<int>{1});

  WriteEnqueueOption(core, 0);  // the list was emptied: no mark is left
  LoadIntoPlaylist(core, files.Path() + "missing.m3u", LoadMode::OpenFromShell);
  EXPECT_TRUE(entries().empty());
  EXPECT_EQ(core.playlist.CurrentIndex, -1);
}

TEST_F(LoadIntoPlaylistTest, OpenPlaylistCommandReplacesTheListAndRemembersItsFolder) {
  WriteIniString(core, "General", "PlaylistFolder", files.Path());
  SetEntries({"/m/old.mp3"});
  core.playlist.CurrentIndex = 0;
  ui.chosenFiles.push_back(std::nullopt);
  LoadPlayListAc(core);
  ASSERT_EQ(ui.fileDialogs.size(), 1u);
  EXPECT_EQ(ui.fileDialogs[0].startFolder, files.Path());
  // Every kind the list reads is offered.
  EXPECT_EQ(ui.fileDialogs[0].filter,
            "Playlist (*.txt, *.m3u, *.m3u8, *.pls, *.asx, *.b4s)|*.txt;*.m3u;*.m3u8;*.pls;*.asx;*.b4s;|All files "
            "(*.*)|*.*");
  EXPECT_FALSE(ui.fileDialogs[0].save);
  EXPECT_EQ(entries(), Entries{"/m/old.mp3"});  // cancelled

  ui.chosenFiles.push_back(files.Write("lists/a.txt", "/m/x.mp3\r\n/m/y.mp3\r\n"));
  LoadPlayListAc(core);
  EXPECT_EQ(entries(), (Entries{"/m/x.mp3", "/m/y.mp3"}));
  EXPECT_EQ(core.playlist.CurrentIndex, -1);
  EXPECT_EQ(ReadIniString(core, "General", "PlaylistFolder", ""), files.Path() + "lists/");
}

TEST_F(LoadIntoPlaylistTest, SavePlaylistCommandPicksTheFormatByExtensionInAnyCase) {
  const std::string stored = files.Path() + "stored/";
  std::filesystem::create_directories(stored);
  WriteIniString(core, "General", "PlaylistFolder", stored);
  SetEntries({"http://radio.example/live|Jazz", "/m/a.mp3"});
  core.playlist.CurrentIndex = 1;
  for (const char* name : {"Party.M3U", "a.Pls", "a.TXT", "b.m3u8"}) {
    ui.chosenFiles.push_back(files.Path() + name);
    SavePlaylistAc(core);
  }
  const std::string m3u = "http://radio.example/live\r\n/m/a.mp3\r\n";
  EXPECT_EQ(files.Read("Party.M3U"), m3u);
  EXPECT_EQ(files.Read("b.m3u8"), m3u);
  EXPECT_EQ(files.Read("a.Pls"), "[playlist]\r\nVersion=2\r\nNumberOfEntries=2\r\n"
                                 "File1=http://radio.example/live\r\nFile2=/m/a.mp3\r\n");
  EXPECT_EQ(files.Read("a.TXT"), "http://radio.example/live|Jazz\r\n/m/a.mp3\r\n");
  EXPECT_EQ(core.playlist.CurrentIndex, 1);

  // Another extension gets the chosen filter's (M3U, then "All files").
  ui.chosenFiles = {files.Path() + "Party.2024", files.Path() + "Party.2024"};
  ui.chosenFilters = {1, 3};
  SavePlaylistAc(core);
  EXPECT_EQ(files.Read("Party.2024.m3u"), m3u);
  EXPECT_FALSE(std::filesystem::exists(files.Path() + "Party.2024"));
  // That longer name exists now: replacing it is asked, and No keeps it.
  files.Write("Party.2024.txt", "keep");
  SavePlaylistAc(core);
  EXPECT_EQ(ui.questions.back(), "Party.2024.txt already exists.\rDo you want to replace it?");
  EXPECT_EQ(files.Read("Party.2024.txt"), "keep");

  const FileDialogRequest& request = ui.fileDialogs.front();
  EXPECT_EQ(request.startFolder, stored);
  EXPECT_EQ(request.defaultExtension, "txt");
  EXPECT_TRUE(request.save);
  EXPECT_EQ(request.filter,
            "Tarvo playlist (*.txt)|*.txt|M3U playlist (*.m3u)|*.m3u|PLS playlist (*.pls)|*.pls|All files (*.*)|*.*");
  core.playlist.LastScannedFolder = music;
  SavePlaylistAc(core);  // cancelled
  EXPECT_EQ(ui.fileDialogs.back().startFolder, music);
}

TEST_F(LoadIntoPlaylistTest, FileDialogsOpenInTheFolderLastUsedThenTheMusicFolderThenHome) {
  const char* home = std::getenv("HOME");
  ASSERT_NE(home, nullptr);
  OpenFileAc(core);  // cancelled: nothing remembered yet, no music folder
  EXPECT_EQ(ui.fileDialogs.back().startFolder, std::string(home) + "/");
  core.playlist.MusicFolders = {files.Path() + "gone/", music};
  OpenFileAc(core);
  EXPECT_EQ(ui.fileDialogs.back().startFolder, music);

  const std::string added = files.Write("added/x.mp3", "");
  ui.chosenFileLists.push_back({added});
  OpenFileAc(core);
  OpenFileAc(core);
  EXPECT_EQ(ui.fileDialogs.back().startFolder, files.Path() + "added/");
  WriteIniString(core, "General", "PlaylistFolder", files.Path() + "removed/");
  LoadPlayListAc(core);
  EXPECT_EQ(ui.fileDialogs.back().startFolder, music);
}

}  // namespace
}  // namespace tarvo
