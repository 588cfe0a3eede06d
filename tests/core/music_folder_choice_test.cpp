#include "integration/music_folder_choice.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "integration/saved_settings.h"
#include "settings/settings_store.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

class MusicFolderChoiceTest : public testing::CoreTest {
 protected:
  std::string Folder(const std::string& name) {
    std::filesystem::create_directories(home.Path() + name);
    return home.Path() + name + "/";
  }
};

TEST_F(MusicFolderChoiceTest, TheDesktopIsRefusedUntilAnotherFolderIsChosenWhichIsSaved) {
  ui.desktopFolder = Folder("Desktop");
  const std::string music = Folder("Music");
  ui.chosenFolders = {home.Path() + "DESKTOP/songs/", music};
  ChooseMusicFolder(core);
  EXPECT_EQ(ui.folderDialogs, (std::vector<std::string>(2, "Set your music folder")));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.substr(0, 34), "The desktop is an invalid folder.\r");
  EXPECT_EQ(core.settings.lastBrowserRoot, music);
  core.playlist.MusicFolders.clear();
  LoadMusicFolders(core);
  EXPECT_EQ(core.playlist.MusicFolders, std::vector<std::string>{music});

  // With a music folder set, nothing is asked.
  ChooseMusicFolder(core);
  EXPECT_EQ(ui.folderDialogs.size(), 2u);
}

TEST_F(MusicFolderChoiceTest, CancellingOrAMissingFolderSavesNothing) {
  ui.desktopFolder = Folder("Desktop");
  core.settings.lastBrowserRoot = "/before/";
  ChooseMusicFolder(core);  // cancelled
  EXPECT_EQ(core.settings.lastBrowserRoot, "");
  ui.chosenFolders = {home.Path() + "gone/"};
  ChooseMusicFolder(core);
  EXPECT_EQ(core.settings.lastBrowserRoot, home.Path() + "gone/");
  LoadMusicFolders(core);
  EXPECT_TRUE(core.playlist.MusicFolders.empty());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MusicFolderChoiceTest, TheSwitchKeepsTheBrowsersLastFolder) {
  home.Write("Tarvo.ini", "[DirBox]\r\nLastOpenedDir=/songs/old/\r\n");
  const std::string music = Folder("Music");
  ui.chosenFolders = {music};
  SetRootPathSwitch(core);
  EXPECT_EQ(ReadIniString(core, "DirBox", "LastOpenedDir", ""), "/songs/old/");
  EXPECT_EQ(ReadIniString(core, "Root media", "path0", ""), music);
}

}  // namespace
}  // namespace tarvo
