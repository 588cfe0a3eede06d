// The multiple filename renamer: the rule, the stops before any file is
// touched, and the files and entries after a rename.
#include "media/renamer.h"

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

class RenamerTest : public testing::CoreTest {
 protected:
  // Files in the home folder, all in the list and selected.
  void SelectFiles(const std::vector<std::string>& names) {
    std::vector<std::string> entries;
    for (const std::string& name : names) entries.push_back(home.Write(name, name));
    SetEntries(entries);
    core.listView.SelectAll();
  }
  std::vector<std::string> Entries() const { return core.playlist.PlaylistEntries; }
  std::string InHome(const std::string& name) const { return home.Path() + name; }
};

TEST_F(RenamerTest, TheRuleReplacesPrefixesOrCapitalises) {
  EXPECT_EQ(RenamedFileName("my_old_song.MP3", "_", " "), "my old song.MP3");
  EXPECT_EQ(RenamedFileName("Track.mp3", "MP3", "ogg"), "Track.ogg");
  EXPECT_EQ(RenamedFileName("song.mp3", "", "01 "), "01 song.mp3");
  EXPECT_EQ(RenamedFileName("the long WAY home.mp3", "ignored", "[case]"), "The Long WAY Home.mp3");
  EXPECT_EQ(RenamedFileName("a ", "", "[case]"), "a ");
  EXPECT_EQ(PreviewPaths({"/m/a b.mp3", "c.mp3"}, "", "[case]"), (std::vector<std::string>{"/m/A B.mp3", "C.mp3"}));
}

TEST_F(RenamerTest, RenamesTheFilesAndTheEntriesAndCounts) {
  SelectFiles({"one_a.mp3", "two_b.mp3"});
  core.playlist.PlayingEntry = InHome("two_b.mp3");
  EXPECT_TRUE(ApplyRenames(core, CopySelection(core), "_", " "));
  EXPECT_EQ(Entries(), (std::vector<std::string>{InHome("one a.mp3"), InHome("two b.mp3")}));
  EXPECT_EQ(home.Read("one a.mp3"), "one_a.mp3");
  EXPECT_FALSE(FileExists(InHome("one_a.mp3")));
  EXPECT_EQ(playback.stops, std::vector<bool>{true});
  EXPECT_EQ(ui.messages.at(0).text, "2 files have been renamed.\rCheck your playlist for the updated files.");
}

TEST_F(RenamerTest, AnImpossibleNameStopsBeforeAnyFileIsTouched) {
  SelectFiles({"a.mp3", "b.mp3"});
  EXPECT_FALSE(ApplyRenames(core, CopySelection(core), "b.mp3", ""));
  EXPECT_EQ(ui.messages.at(0).text, "You want to rename\rb.mp3\rto ''.\rThat's not possible.");
  EXPECT_TRUE(FileExists(InHome("a.mp3")));
  EXPECT_TRUE(FileExists(InHome("b.mp3")));
  EXPECT_EQ(Entries(), (std::vector<std::string>{InHome("a.mp3"), InHome("b.mp3")}));
}

TEST_F(RenamerTest, TwoEntriesGettingOneNameStopBeforeAnyFileIsTouched) {
  SelectFiles({"a-b.mp3", "ab-.mp3"});
  EXPECT_FALSE(ApplyRenames(core, CopySelection(core), "-", ""));
  EXPECT_EQ(ui.messages.at(0).text, "You want to rename\ra-b.mp3\rand\rab-.mp3\rto the same name 'ab.mp3'.\r"
                                    "That's not possible.");
  EXPECT_EQ(home.Read("a-b.mp3"), "a-b.mp3");
  EXPECT_EQ(home.Read("ab-.mp3"), "ab-.mp3");
  EXPECT_FALSE(FileExists(InHome("ab.mp3")));
}

TEST_F(RenamerTest, AnExistingTargetIsNeitherReplacedNorGivenToTheEntry) {
  SelectFiles({"a.mp3", "b.mp3"});
  home.Write("new a.mp3", "keep me");
  core.listView.Select(1, false);
  EXPECT_TRUE(ApplyRenames(core, CopySelection(core), "", "new "));
  EXPECT_EQ(home.Read("new a.mp3"), "keep me");
  EXPECT_EQ(home.Read("a.mp3"), "a.mp3");
  EXPECT_EQ(Entries()[0], InHome("a.mp3"));
  EXPECT_EQ(ui.messages.at(0).text, "0 files have been renamed.\rCheck your playlist for the updated files.");
}

TEST_F(RenamerTest, AnEntryWithoutAFileTakesItsNewPath) {
  SetEntries({InHome("gone_1.mp3"), InHome("gone_2.mp3")});
  core.listView.SelectAll();
  EXPECT_TRUE(ApplyRenames(core, CopySelection(core), "_", " "));
  EXPECT_EQ(Entries(), (std::vector<std::string>{InHome("gone 1.mp3"), InHome("gone 2.mp3")}));
}

TEST_F(RenamerTest, TheMenuItemWantsSeveralRows) {
  SelectFiles({"a.mp3", "b.mp3"});
  EXPECT_TRUE(CheckRenamerSelection(core));
  core.listView.Select(1, false);
  EXPECT_FALSE(CheckRenamerSelection(core));
  EXPECT_EQ(ui.messages.at(0).text, "Select multiple items first, then press F2.");
}

}  // namespace
}  // namespace tarvo
