#include "integration/associations.h"

#include <sys/stat.h>

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

using testing::CoreTest;

// A shared mimeapps.list as desktops leave it: comments, other groups,
// other types, a list of two programs for audio/mpeg and a WAV type.
constexpr char kSharedList[] =
    "# edited by hand\n"
    "[Added Associations]\n"
    "audio/mpeg=other.desktop;vlc.desktop;\n"
    "\n"
    "[Default Applications]\n"
    "text/plain=editor.desktop;\n"
    "audio/mpeg=other.desktop;vlc.desktop;\n"
    "audio/x-wav=sound.desktop;\n"
    "# the end\n";

class AssociationsTest : public CoreTest {
 protected:
  AssociationsTest() {
    core.xdg = {home.Path() + "config", home.Path() + "data"};
    core.programPath = ProgramAt("bin/tarvo");
  }

  // An executable file, so that the desktop's tools see a program there.
  std::string ProgramAt(const std::string& relativePath) {
    const std::string path = home.Write(relativePath, "#!/bin/sh\n");
    chmod(path.c_str(), 0755);
    return path;
  }

  std::string MimeApps() const { return home.Read("config/mimeapps.list"); }
  std::string DesktopEntry() const { return home.Read("data/applications/tarvo.desktop"); }
  bool DesktopEntryExists() const { return std::filesystem::exists(home.Path() + "data/applications/tarvo.desktop"); }

  // Every file under the desktop's folders with its bytes.
  std::map<std::string, std::string> DesktopFiles() const {
    std::map<std::string, std::string> files;
    for (const char* folder : {"config", "data"}) {
      const std::string root = home.Path() + folder;
      if (!std::filesystem::exists(root)) continue;
      for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
        if (item.is_regular_file()) files[item.path().string()] = home.Read(item.path().string().substr(home.Path().size()));
      }
    }
    return files;
  }
};

TEST_F(AssociationsTest, ClaimPutsTarvoFirstAndReleaseGivesTheListBackByteForByte) {
  home.Write("config/mimeapps.list", kSharedList);
  ASSERT_FALSE(IsAssociated(core, "mp3"));

  ClaimAssociation(core, "mp3");
  EXPECT_TRUE(IsAssociated(core, "mp3"));
  EXPECT_FALSE(IsAssociated(core, "wav"));
  EXPECT_TRUE(ReadAssociationFlag(core, "mp3"));
  EXPECT_EQ(MimeApps(),
            "# edited by hand\n"
            "[Added Associations]\n"
            "audio/mpeg=other.desktop;vlc.desktop;\n"
            "\n"
            "[Default Applications]\n"
            "text/plain=editor.desktop;\n"
            "audio/mpeg=tarvo.desktop;other.desktop;vlc.desktop;\n"
            "audio/x-wav=sound.desktop;\n"
            "# the end\n");
  EXPECT_EQ(home.Read("config/tarvo/mimeapps-backup.list"),
            "[Default Applications]\naudio/mpeg=other.desktop;vlc.desktop;\n");
  EXPECT_NE(DesktopEntry().find("\nExec=" + core.programPath + " %f\n"), std::string::npos);

  // Both WAV types, one of them new to the file; claiming again keeps the backup.
  ClaimAssociation(core, "wav");
  ClaimAssociation(core, "mp3");
  EXPECT_TRUE(IsAssociated(core, "wav"));
  EXPECT_NE(MimeApps().find("audio/x-wav=tarvo.desktop;sound.desktop;\n# the end\naudio/wav=tarvo.desktop;\n"),
            std::string::npos);

  ReleaseAssociation(core, "mp3");
  EXPECT_FALSE(IsAssociated(core, "mp3"));
  EXPECT_FALSE(ReadAssociationFlag(core, "mp3"));
  EXPECT_TRUE(DesktopEntryExists()) << "wav still names it";
  ReleaseAssociation(core, "wav");
  EXPECT_EQ(MimeApps(), kSharedList);
  EXPECT_FALSE(DesktopEntryExists());
  EXPECT_FALSE(std::filesystem::exists(home.Path() + "config/tarvo/mimeapps-backup.list"));
}

TEST_F(AssociationsTest, ReleaseKeepsProgramsAddedSinceAndLeavesATypeAnotherProgramTook) {
  home.Write("config/mimeapps.list", "[Default Applications]\naudio/mpeg=other.desktop;\naudio/x-scpls=old.desktop;\n");
  ClaimAssociation(core, "mp3");
  ClaimAssociation(core, "pls");
  // Another program adds itself behind Tarvo for mp3 and takes pls whole.
  home.Write("config/mimeapps.list", "[Default Applications]\naudio/mpeg=tarvo.desktop;new.desktop;other.desktop;\n"
                                     "audio/x-scpls=taker.desktop;\n");
  ReleaseAssociation(core, "mp3");
  ReleaseAssociation(core, "pls");
  EXPECT_EQ(MimeApps(), "[Default Applications]\naudio/mpeg=other.desktop;new.desktop;\naudio/x-scpls=taker.desktop;\n");
}

TEST_F(AssociationsTest, ADesktopsOwnListNamingAnotherProgramWinsUntilClaimed) {
  home.Write("config/mimeapps.list", "[Default Applications]\naudio/mpeg=other.desktop;\n");
  ClaimAssociation(core, "mp3");
  const std::string gnomeList = "# GNOME's choice\n[Default Applications]\naudio/mpeg=gnome-player.desktop;\n";
  home.Write("config/gnome-mimeapps.list", gnomeList);
  EXPECT_FALSE(IsAssociated(core, "mp3"));

  ClaimAssociation(core, "mp3");
  EXPECT_TRUE(IsAssociated(core, "mp3"));
  EXPECT_EQ(home.Read("config/gnome-mimeapps.list"),
            "# GNOME's choice\n[Default Applications]\naudio/mpeg=tarvo.desktop;gnome-player.desktop;\n");

  ReleaseAssociation(core, "mp3");
  EXPECT_EQ(home.Read("config/gnome-mimeapps.list"), gnomeList);
  EXPECT_EQ(MimeApps(), "[Default Applications]\naudio/mpeg=other.desktop;\n");
}

TEST_F(AssociationsTest, AskingChangesNoFile) {
  home.Write("config/mimeapps.list", kSharedList);
  home.Write("config/kde-mimeapps.list", "[Default Applications]\naudio/x-scpls=kde.desktop;\n");
  ClaimAssociation(core, "mp3");
  const auto before = DesktopFiles();
  for (const char* extension : {"mp3", "wav", "ogg", "m3u", "pls", "flac"}) IsAssociated(core, extension);
  EXPECT_EQ(DesktopFiles(), before);
}

TEST_F(AssociationsTest, AReadOnlyOrUnreadableListIsLeftAloneButTheWishIsStored) {
  const std::string unreadable = "[Default Applications]\naudio/mpeg=other.desktop;\nno equals sign here\n";
  const std::string frozen = kSharedList;
  for (const std::string& contents : {unreadable, frozen}) {
    const std::string path = home.Write("config/mimeapps.list", contents);
    chmod(path.c_str(), contents == frozen ? 0444 : 0644);
    ClaimAssociation(core, "mp3");
    EXPECT_EQ(MimeApps(), contents);
    EXPECT_FALSE(IsAssociated(core, "mp3"));
    EXPECT_TRUE(ReadAssociationFlag(core, "mp3"));
    ReleaseAssociation(core, "mp3");
    EXPECT_EQ(MimeApps(), contents);
    chmod(path.c_str(), 0644);
  }
}

TEST_F(AssociationsTest, AMovedProgramIsTakenBackAtStartupInTheSameEntry) {
  home.Write("config/mimeapps.list", "[Default Applications]\naudio/mpeg=other.desktop;\n");
  ClaimAssociation(core, "mp3");
  ClaimAssociation(core, "pls");
  core.programPath = ProgramAt("moved/tarvo");
  EXPECT_FALSE(IsAssociated(core, "mp3"));

  core.settings.claimAssociationsAtStartup = false;
  ClaimAssociationsAtStartup(core);
  EXPECT_FALSE(IsAssociated(core, "mp3"));

  core.settings.claimAssociationsAtStartup = true;
  ClaimAssociationsAtStartup(core);
  EXPECT_TRUE(IsAssociated(core, "mp3"));
  EXPECT_NE(DesktopEntry().find("Exec=" + core.programPath + " %f"), std::string::npos);
  std::vector<std::string> entries;
  for (const auto& item : std::filesystem::directory_iterator(home.Path() + "data/applications")) {
    entries.push_back(item.path().filename().string());
  }
  EXPECT_EQ(entries, std::vector<std::string>{"tarvo.desktop"});
  // Not wanted: not taken.
  EXPECT_FALSE(IsAssociated(core, "ogg"));
}

TEST_F(AssociationsTest, APathWithBlanksIsQuotedInTheEntry) {
  core.programPath = ProgramAt("my music/100% tarvo");
  ClaimAssociation(core, "mp3");
  EXPECT_NE(DesktopEntry().find("\nExec=\"" + home.Path() + "my music/100%% tarvo\" %f\n"), std::string::npos);
  EXPECT_TRUE(IsAssociated(core, "mp3"));
}

}  // namespace
}  // namespace tarvo
