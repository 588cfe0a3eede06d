// The help texts and the documentation command.
#include <gtest/gtest.h>

#include "help/documentation.h"
#include "help/help_texts.h"
#include "platform/program_data.h"
#include "support/core_fixture.h"
#include "support/fake_desktop.h"

namespace tarvo {
namespace {

class HelpTest : public testing::CoreTest {
 protected:
  HelpTest() { core.desktop = &desktop; }
  testing::FakeDesktop desktop;
};

TEST_F(HelpTest, DocumentationOpensWhenPresentAndIsReportedWhenMissing) {
  DocAc(core, home.Path());
  EXPECT_TRUE(desktop.opened.empty());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::Information);
  EXPECT_NE(ui.messages[0].text.find("Please reinstall Tarvo."), std::string::npos);

  const std::string manual = home.Write("Documentation.html", "<html></html>");
  DocAc(core, home.Path());
  EXPECT_EQ(desktop.opened, std::vector<std::string>{manual});
  EXPECT_EQ(ui.messages.size(), 1u);

  // No program for the page: said, not left silent.
  desktop.opensFiles = false;
  DocAc(core, home.Path());
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].text, "No program to open the documentation was found:\r" + manual);
  // Or one that starts and then finds none.
  desktop.opensFiles = true;
  desktop.launcherFindsNoProgram = true;
  DocAc(core, home.Path());
  ASSERT_EQ(ui.messages.size(), 3u);
  EXPECT_EQ(ui.messages[2].text, ui.messages[1].text);
}

TEST_F(HelpTest, DataFolderIsTheShareFolderBesideTheProgramFolder) {
  EXPECT_EQ(ProgramDataFolderFor("/usr/local/bin"), "/usr/local/share/tarvo/");
  EXPECT_EQ(ProgramDataFolderFor("/home/me/tarvo/build/test/app"), "/home/me/tarvo/build/test/share/tarvo/");
}

TEST_F(HelpTest, CreditsStartWithThePathAndThePackageSize) {
  const std::string text = CreditsWindowText("/usr/bin/tarvo", 1572864);
  EXPECT_TRUE(text.starts_with("GENERAL\r\n  Path: /usr/bin/tarvo\r\n  Total package: 1.5 MB\r\n\r\n\r\nCREDITS\r\n"))
      << text;
  EXPECT_EQ(ShortcutsText().size(), 45u);
  EXPECT_TRUE(ShortcutsWindowText().starts_with("* 메인\r\n  단축키\t\t\tF1\r\n"));
}

}  // namespace
}  // namespace tarvo
