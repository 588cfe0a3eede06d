// The weekly update check against the loopback test server, whose answer
// each test writes; the date is the test's, never the system's.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "platform/file_io.h"
#include "platform/net/http_download.h"
#include "settings/settings_store.h"
#include "support/core_fixture.h"
#include "support/fake_desktop.h"
#include "support/radio_server_process.h"
#include "update/update_check.h"

namespace tarvo {
namespace {

using namespace std::chrono;
using std::chrono::days;

constexpr sys_days kToday = 2026y / December / 9;
constexpr char kRequest[] = "/updatecheck.php?app=tarvo&version=1.04b";

class UpdateCheckTest : public testing::CoreTest {
 protected:
  static void SetUpTestSuite() {
    answers_ = new testing::TempFolder;
    server_ = new testing::RadioServerProcess({"--update-answer", answers_->Path() + "answer.txt"});
  }
  static void TearDownTestSuite() {
    delete server_;
    delete answers_;
  }

  void SetUp() override {
    ASSERT_NE(server_->port(), 0) << "the test server did not start";
    core.desktop = &desktop;
    core.settings.updateServer = server_->Url("/");
    requestsBefore_ = ServerCount(kRequest);
  }

  static void Answer(const std::string& text) { answers_->Write("answer.txt", text); }

  // Requests of the update script since the test began.
  int Requests() { return ServerCount(kRequest) - requestsBefore_; }

  int ServerCount(const std::string& path) {
    const std::string file = home.Path() + "count.json";
    if (DownloadToFile(ui, server_->Url("/count"), file) == 0) return -1;
    const std::string counts = ReadWholeFile(file).value_or("");
    const std::string key = "\"" + path + "\": ";
    const std::size_t at = counts.find(key);
    return at == std::string::npos ? 0 : std::stoi(counts.substr(at + key.size()));
  }

  testing::FakeDesktop desktop;
  static testing::TempFolder* answers_;
  static testing::RadioServerProcess* server_;

 private:
  int requestsBefore_ = 0;
};

testing::TempFolder* UpdateCheckTest::answers_ = nullptr;
testing::RadioServerProcess* UpdateCheckTest::server_ = nullptr;

TEST_F(UpdateCheckTest, AsksOnceSevenDaysLieBetweenTheLastCheckAndTodayEitherWay) {
  Answer("https://example.org/get\n1.06\nTarvo 1.06 is out.\r\nDownload it now?\n");
  WriteLastVersionCheck(core, kToday - days{6});
  EXPECT_FALSE(RunWeeklyUpdateCheck(core, kToday));
  EXPECT_EQ(Requests(), 0);

  std::string statusDuringCheck;
  ui.onPendingEvents = [&] { statusDuringCheck = core.texts.statusPanels[3]; };
  WriteLastVersionCheck(core, kToday - days{7});
  EXPECT_FALSE(RunWeeklyUpdateCheck(core, kToday));
  EXPECT_EQ(Requests(), 1);
  EXPECT_EQ(statusDuringCheck, "Checking for updates...");
  EXPECT_EQ(core.texts.statusPanels[3], "");
  EXPECT_EQ(ReadLastVersionCheck(core), kToday);
  ASSERT_EQ(ui.questions, std::vector<std::string>{"Tarvo 1.06 is out.\nDownload it now?"});
  EXPECT_FALSE(FileExists(home.Path() + "temp"));

  // A clock set back by more than six days checks too.
  WriteLastVersionCheck(core, kToday + days{7});
  RunWeeklyUpdateCheck(core, kToday);
  EXPECT_EQ(Requests(), 2);

  core.settings.autoUpdate = false;
  WriteLastVersionCheck(core, kToday - days{30});
  RunWeeklyUpdateCheck(core, kToday);
  EXPECT_EQ(Requests(), 2);
}

TEST_F(UpdateCheckTest, OffersAVersionNeitherRunningNorDeclined) {
  Answer("https://example.org/get\n1.04b\nNothing new.\n");
  EXPECT_FALSE(CheckForUpdate(core, kToday));
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_EQ(ReadLastNewVersion(core), "none");

  Answer("https://example.org/get\n1.05\nTarvo 1.05\n");
  EXPECT_FALSE(CheckForUpdate(core, kToday));
  EXPECT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ReadLastNewVersion(core), "1.05");
  CheckForUpdate(core, kToday + days{7});
  EXPECT_EQ(ui.questions.size(), 1u);

  Answer("https://example.org/get\n1.06\nTarvo 1.06\n");
  CheckForUpdate(core, kToday + days{14});
  EXPECT_EQ(ui.questions.size(), 2u);
  EXPECT_TRUE(desktop.opened.empty());
}

// The offered version is stored in the settings: a line too long to be a
// version is no offer, and control characters are never stored.
TEST_F(UpdateCheckTest, TheStoredVersionIsShortAndClean) {
  Answer("https://example.org/get\n" + std::string(3 << 20, '9') + "\nTarvo 9\n");
  EXPECT_FALSE(CheckForUpdate(core, kToday));
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_EQ(ReadLastNewVersion(core), "none");

  Answer(std::string("https://example.org/get\n1.0\x1b[5\x07\n") + "Tarvo\n");
  EXPECT_FALSE(CheckForUpdate(core, kToday));
  EXPECT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ReadLastNewVersion(core), "1.0[5");
}

TEST_F(UpdateCheckTest, AcceptingOpensOnlyAWebAddressAndEndsTheProgram) {
  Answer("https://example.org/get\n1.05\nTarvo 1.05\n");
  ui.answers = {true};
  EXPECT_TRUE(CheckForUpdate(core, kToday));
  EXPECT_EQ(desktop.opened, std::vector<std::string>{"https://example.org/get"});

  for (const char* address : {"file:///usr/bin/xterm", "/usr/bin/xterm", "javascript:alert(1)", "https://"}) {
    Answer(std::string(address) + "\n1.07\nTarvo 1.07\n");
    ui.answers = {true};
    EXPECT_FALSE(CheckForUpdate(core, kToday)) << address;
  }
  EXPECT_EQ(desktop.opened.size(), 1u);
  EXPECT_EQ(ui.questions.size(), 1u);
}

TEST_F(UpdateCheckTest, NoServerAnsweringChangesOnlyTheDate) {
  WriteLastNewVersion(core, "1.05");
  WriteLastVersionCheck(core, kToday - days{30});
  const std::string before = ReadWholeFile(SettingsFilePath(core)).value_or("");
  // Port 1 on loopback: nothing listens there, the connection is refused.
  core.settings.updateServer = "http://127.0.0.1:1/";
  EXPECT_FALSE(RunWeeklyUpdateCheck(core, kToday));
  EXPECT_EQ(ReadLastVersionCheck(core), kToday);
  WriteLastVersionCheck(core, kToday - days{30});
  EXPECT_EQ(ReadWholeFile(SettingsFilePath(core)).value_or(""), before);
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(core.texts.statusPanels[3], "");
  EXPECT_FALSE(FileExists(home.Path() + "temp"));
}

TEST(UpdateCheckAddress, AsksTheProjectServerOverHttpsUnlessToldOtherwise) {
  EXPECT_EQ(UpdateCheckAddress(RuntimeSettings{}.updateServer),
            "https://tarvo.org/updatecheck.php?app=tarvo&version=1.04b");
  EXPECT_EQ(UpdateCheckAddress("updates.example.org/tarvo"),
            "https://updates.example.org/tarvo/updatecheck.php?app=tarvo&version=1.04b");
  EXPECT_EQ(UpdateCheckAddress("http://127.0.0.1:8080/"),
            "http://127.0.0.1:8080/updatecheck.php?app=tarvo&version=1.04b");
}

}  // namespace
}  // namespace tarvo
