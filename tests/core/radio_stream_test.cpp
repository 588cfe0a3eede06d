// Internet radio end to end in the core: the engine over the real audio
// layer (null output, paced in real time) plays stations of a loopback test
// server (tests/support/radio_server.py). The status tick and the window
// thread's posted work run by hand, in loops with generous deadlines.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "core.h"
#include "audio/linux_audio_library.h"
#include "playback/engine.h"
#include "playback/sequencing.h"
#include "radio/radio_commands.h"
#include "radio/station_name.h"
#include "support/audio_fixtures.h"
#include "support/fake_ui.h"
#include "support/manual_status_thread.h"
#include "support/radio_server_process.h"
#include "support/temp_folder.h"

namespace tarvo {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

using RadioServer = testing::RadioServerProcess;

class RadioStreamTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fixtures_ = new testing::TempFolder;
    const testing::AudioSpec tone{44100, 2, {testing::Tone(4.0, 441.0, 0.5)}};
    testing::WriteMp3(fixtures_->Path() + "tone.mp3", tone, 128);
    testing::WriteOggVorbis(fixtures_->Path() + "tone.ogg", testing::AudioSpec{44100, 2, {testing::Tone(20.0)}});
    server_ = new RadioServer({"--mp3", fixtures_->Path() + "tone.mp3", "--ogg", fixtures_->Path() + "tone.ogg"});
  }
  static void TearDownTestSuite() {
    std::printf("longest window-thread step during connect, stall and drop: %.1f ms\n",
                std::chrono::duration<double, std::milli>(longestStep_).count());
    // Connecting, buffering and losing a station never block the window;
    // the bound is generous for a busy machine.
    EXPECT_LT(longestStep_, 500ms);
    delete server_;
    delete fixtures_;
  }

  RadioStreamTest()
      : library(audio::ParseOutputChoice("null")), engine(library, statusThread), core(ui, engine, home.Path()) {
    engine.Attach(core);
    core.audio = &library;
  }

  void SetUp() override { ASSERT_NE(server_->port(), 0) << "the test server did not start"; }

  // Runs the window thread's share (posted results, status ticks while the
  // tick runs) until `done` holds; false after `limit`.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 20s) {
    const Clock::time_point deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
      const Clock::time_point stepStart = Clock::now();
      ui.RunPosted();
      if (!statusThread.suspended) engine.StatusTick();
      longestStep_ = std::max(longestStep_, Clock::now() - stepStart);
      if (done()) return true;
      std::this_thread::sleep_for(10ms);
    }
    return false;
  }

  void PlayStation(const std::string& path, const std::string& title = "Station") {
    core.playlist.PlaylistEntries.push_back(server_->Url(path) + "|" + title);
    engine.PlayEntry(static_cast<int>(core.playlist.PlaylistEntries.size()) - 1);
  }

  int Connections(const std::string& path) {
    const std::string counts = FetchCounts();
    const std::string key = "\"" + path + "\": ";
    const std::size_t at = counts.find(key);
    return at == std::string::npos ? 0 : std::stoi(counts.substr(at + key.size()));
  }

  std::string FetchCounts() {
    const std::string file = home.Path() + "count.json";
    std::string command = "python3 -c \"import urllib.request,sys;sys.stdout.write(urllib.request.urlopen('" +
                          server_->Url("/count") + "').read().decode())\" > " + file;
    if (std::system(command.c_str()) != 0) return {};
    std::FILE* in = std::fopen(file.c_str(), "r");
    std::string text(4096, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), in));
    std::fclose(in);
    return text;
  }

  const std::string& Panel() const { return core.texts.statusPanels[3]; }

  static testing::TempFolder* fixtures_;
  static RadioServer* server_;
  // The longest the window thread's share of one round took.
  static Clock::duration longestStep_;

  testing::TempFolder home;
  testing::FakeUi ui;
  testing::ManualStatusThread statusThread;
  audio::LinuxAudioLibrary library;
  PlaybackEngine engine;
  Core core;
};

testing::TempFolder* RadioStreamTest::fixtures_ = nullptr;
RadioServer* RadioStreamTest::server_ = nullptr;
Clock::duration RadioStreamTest::longestStep_{};

TEST_F(RadioStreamTest, StationPlaysWithItsTitlesStatusLineAndRate) {
  PlayStation("/radio.mp3");
  EXPECT_EQ(Panel(), "Connecting " + server_->Url("/radio.mp3") + "...");
  EXPECT_EQ(core.texts.caption, kProgramCaption);
  EXPECT_EQ(core.settings.playMode, kRepeatListMode);
  ASSERT_TRUE(RunUntil([&] { return core.texts.caption == "Song 1 - Tarvo"; }));
  EXPECT_EQ(Panel(), "128 Kbps 44100 Hz - Stereo");
  EXPECT_EQ(core.texts.labelTime, "Playing internet stream at 16 KB/s");
  EXPECT_EQ(core.texts.trayHint, "Song 1");
  // The title changes every two seconds; the full update runs every 3 s.
  ASSERT_TRUE(RunUntil([&] { return core.texts.caption != "Song 1 - Tarvo"; }));
  EXPECT_NE(core.texts.caption.find("Song "), std::string::npos);
  engine.StopPlayback(true);
}

TEST_F(RadioStreamTest, StarvedStationShowsBufferingAndDroppedOneALostConnection) {
  PlayStation("/stall.mp3");
  // While the server pauses nothing waits to be decoded. (A stall at the
  // start, with some data in, may show a few per cent first.)
  ASSERT_TRUE(RunUntil([&] { return Panel() == "Buffering...0%"; }));
  engine.StopPlayback(true);

  PlayStation("/drop.mp3");
  ASSERT_TRUE(RunUntil([&] { return Panel() == "Error: Lost connection"; }));
  // It stays so: no reconnection, no message.
  RunUntil([] { return false; }, 300ms);
  EXPECT_EQ(Panel(), "Error: Lost connection");
  // Nothing else says it still plays.
  EXPECT_EQ(core.texts.labelTime.find("Playing"), std::string::npos);
  EXPECT_EQ(core.texts.trayHint.rfind("Lost connection", 0), 0u);
  EXPECT_TRUE(ui.messages.empty());
  engine.StopPlayback(true);
}

TEST_F(RadioStreamTest, FailedConnectionsStopAndSayWhy) {
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {"/missing.mp3", "Error opening URL: Can't logon to server or server is full."},
      {"/silent", "Error opening URL: Connection timed out."},
  };
  for (const auto& [path, message] : cases) {
    ui.messages.clear();
    PlayStation(path);
    ASSERT_TRUE(RunUntil([&] { return !ui.messages.empty(); }, 30s)) << path;
    EXPECT_EQ(ui.messages.front().text, message) << path;
    EXPECT_FALSE(engine.DeviceOpen()) << path;
    EXPECT_EQ(core.texts.caption, kProgramCaption) << path;
  }
  // No server at all, and a ".wma" file that is no address.
  ui.messages.clear();
  core.playlist.PlaylistEntries = {"http://127.0.0.1:1/none.mp3|None", home.Path() + "song.wma"};
  engine.PlayEntry(0);
  ASSERT_TRUE(RunUntil([&] { return !ui.messages.empty(); }));
  engine.PlayEntry(1);
  ASSERT_TRUE(RunUntil([&] { return ui.messages.size() == 2; }));
  EXPECT_EQ(ui.messages[0].text, "Error opening URL.");
  EXPECT_EQ(ui.messages[1].text, "Error opening URL.");
}

TEST_F(RadioStreamTest, OnlyTheLastOfQuickStartsConnectsAndAStopInTheDelayConnectsNone) {
  PlayStation("/redirect.mp3?first");
  std::this_thread::sleep_for(200ms);
  PlayStation("/redirect.mp3?second");
  ASSERT_TRUE(RunUntil([&] { return engine.OutputStream() != 0; }));
  EXPECT_EQ(Connections("/redirect.mp3?first"), 0);
  EXPECT_EQ(Connections("/redirect.mp3?second"), 1);

  PlayStation("/redirect.mp3?stopped");
  std::this_thread::sleep_for(100ms);
  engine.StopPlayback(true);
  RunUntil([] { return false; }, 1500ms);
  EXPECT_EQ(Connections("/redirect.mp3?stopped"), 0);
  EXPECT_EQ(engine.OutputStream(), 0u);
}

TEST_F(RadioStreamTest, OggStationPlaysAndHugeMetadataStaysBounded) {
  PlayStation("/radio.ogg", "Ogg station");
  ASSERT_TRUE(RunUntil([&] { return core.texts.caption == "Ogg station - Tarvo"; }));
  // A second of the station is heard.
  EXPECT_TRUE(RunUntil([&] { return library.ChannelGetPosition(engine.OutputStream()) >= 44100 * 4; }));
  engine.StopPlayback(true);

  PlayStation("/huge.mp3");
  ASSERT_TRUE(RunUntil([&] { return core.texts.caption != kProgramCaption && Panel().find("Kbps") != std::string::npos; }));
  // Junk bytes read as Latin-1, control characters gone, length capped.
  EXPECT_NE(core.texts.trayHint.find("\xC3\xBF"), std::string::npos);
  EXPECT_EQ(core.texts.trayHint.find('\x01'), std::string::npos);
  EXPECT_LE(core.texts.trayHint.size(), 2 * 300u);
  engine.StopPlayback(true);
}

TEST_F(RadioStreamTest, AddressPlaylistsAndStationNames) {
  ui.textAnswers.push_back(server_->Url("/list.pls"));
  AddRadioAc(core);
  ASSERT_EQ(core.playlist.PlaylistEntries.size(), 2u);
  EXPECT_EQ(core.playlist.PlaylistEntries[0], server_->Url("/radio.mp3") + "|First station");
  EXPECT_FALSE(std::filesystem::exists(home.Path() + "temp.pls"));

  ui.textAnswers.push_back(server_->Url("/missing.pls"));
  AddRadioAc(core);
  EXPECT_EQ(core.playlist.PlaylistEntries.size(), 2u);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Could not connect to URL.");

  // One of the two leading spaces goes; a silent address keeps the address.
  EXPECT_EQ(LookupStationName(core, library, server_->Url("/radio.mp3")), " Two Spaces Radio");
  EXPECT_EQ(LookupStationName(core, library, server_->Url("/missing.mp3")), server_->Url("/missing.mp3"));
}

}  // namespace
}  // namespace tarvo
