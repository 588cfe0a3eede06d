#include "playlist/folder_browser.h"

#include <gtest/gtest.h>

#include "support/core_fixture.h"

namespace tarvo {
namespace {

using FolderBrowserTest = testing::CoreTest;

TEST_F(FolderBrowserTest, ChosenFolderBecomesTheLastScannedFolder) {
  const std::string file = home.Write("music/sub/a.ogg", "");
  SetEntries({"/m/old.mp3"});
  OpenChosenFolder(core, home.Path() + "music", false, false);
  // Without subfolders the folder "sub" is no music file.
  EXPECT_EQ(core.playlist.PlaylistEntries, std::vector<std::string>{"/m/old.mp3"});
  EXPECT_EQ(core.playlist.LastScannedFolder, home.Path() + "music");
  OpenChosenFolder(core, home.Path() + "music", false, true);
  EXPECT_EQ(core.playlist.PlaylistEntries, (std::vector<std::string>{"/m/old.mp3", file}));

  // Esc during the scan and Yes to the question: nothing changes.
  home.Write("other/c.mp3", "");
  core.playlist.AbortRequested = true;
  ui.answers = {true};
  OpenChosenFolder(core, home.Path() + "other", true, true);
  EXPECT_EQ(core.playlist.PlaylistEntries.size(), 2u);
  EXPECT_EQ(core.playlist.LastScannedFolder, home.Path() + "music");
}

}  // namespace
}  // namespace tarvo
