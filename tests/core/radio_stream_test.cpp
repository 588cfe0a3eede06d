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
#include <tuple>
#include <vector>

#include "audio/linux_audio_library.h"
#include "core.h"
#include "playback/engine.h"
#include "playback/sequencing.h"
#include "radio/radio_commands.h"
#include "radio/station_name.h"
#include "settings/settings_store.h"
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
    testing::WriteMp3(fixtures_->Path() + "mono.mp3", testing::AudioSpec{22050, 1, {testing::Tone(4.0, 441.0, 0.5)}},
                      64);
    // An AAC station at 128 kbit/s, as the server paces it, and an HLS
    // station's TS segments of two seconds.
    testing::WriteWithFfmpeg(fixtures_->Path() + "tone.aac", testing::AudioSpec{44100, 2, {testing::Tone(4.0, 660.0, 0.5)}},
                             "-c:a aac -b:a 128k");
    const std::string hls = fixtures_->Path() + "hls";
    std::filesystem::create_directory(hls);
    testing::WriteWithFfmpeg(hls + "/media.m3u8", testing::AudioSpec{48000, 2, {testing::Tone(8.0, 550.0, 0.5)}},
                             "-c:a aac -b:a 96k -f hls -hls_time 2 -hls_list_size 0 -hls_segment_filename '" + hls +
                                 "/seg%d.ts'");
    // The same in fragmented MP4 segments behind their initialisation section.
    testing::WriteWithFfmpeg(hls + "/fmp4.m3u8", testing::AudioSpec{48000, 2, {testing::Tone(8.0, 550.0, 0.5)}},
                             "-c:a aac -b:a 96k -f hls -hls_time 2 -hls_list_size 0 -hls_segment_type fmp4 "
                             "-hls_fmp4_init_filename fmp4init.mp4 -hls_segment_filename '" + hls + "/fmp4seg%d.m4s'");
    server_ = new RadioServer({"--mp3", fixtures_->Path() + "tone.mp3", "--ogg", fixtures_->Path() + "tone.ogg",
                               "--mp3-other", fixtures_->Path() + "mono.mp3", "--aac", fixtures_->Path() + "tone.aac",
                               "--hls", hls});
  }
  static void TearDownTestSuite() {
    std::printf("longest window-thread step during connect, stall, drop and HLS refresh: %.1f ms\n",
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

  // Connections made to `path` so far, or (`open`) still open.
  int Connections(const std::string& path, bool open = false) {
    const std::string counts = FetchCounts(open ? "/open" : "/count");
    const std::string key = "\"" + path + "\": ";
    const std::size_t at = counts.find(key);
    return at == std::string::npos ? 0 : std::stoi(counts.substr(at + key.size()));
  }

  std::string FetchCounts(const std::string& which) {
    const std::string file = home.Path() + "count.json";
    std::string command = "python3 -c \"import urllib.request,sys;sys.stdout.write(urllib.request.urlopen('" +
                          server_->Url(which) + "').read().decode())\" > " + file;
    if (std::system(command.c_str()) != 0) return {};
    std::FILE* in = std::fopen(file.c_str(), "r");
    std::string text(4096, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), in));
    std::fclose(in);
    return text;
  }

  const std::string& Panel() const { return core.texts.statusPanels[3]; }
  std::int64_t Heard() { return library.ChannelGetPosition(engine.OutputStream()); }

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

  // Without reconnecting, as the setting allows.
  WriteIniInteger(core, "Tweak", "StreamReconnect", 0);
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

TEST_F(RadioStreamTest, AStationStoppedWhileConnectingNeverPlaysAndItsLateAnswerIsDropped) {
  // Station A answers only after 5 s; the user stops it while it connects
  // (the stop key twice) and starts station B.
  PlayStation("/late.mp3?A", "A");
  RunUntil([] { return false; }, 1s);
  engine.StopStep();
  engine.StopStep();
  EXPECT_EQ(Panel(), "");
  PlayStation("/radio.mp3?B", "B");
  ASSERT_TRUE(RunUntil([&] { return engine.OutputStream() != 0 && Heard() > 0; }));
  const audio::AudioHandle output = engine.OutputStream();
  // Past A's late answer: B plays on, alone, and A's connection is closed.
  RunUntil([] { return false; }, 5500ms);
  EXPECT_EQ(engine.OutputStream(), output);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Connections("/late.mp3?A", true), 0);
  EXPECT_EQ(Connections("/radio.mp3?B", true), 1);
  const std::int64_t heard = Heard();
  EXPECT_TRUE(RunUntil([&] { return Heard() > heard; }));

  // A station that never answers, superseded by another: no message, the
  // other plays on.
  PlayStation("/silent", "Silent");
  RunUntil([] { return false; }, 1s);
  PlayStation("/radio.mp3?C", "C");
  ASSERT_TRUE(RunUntil([&] { return engine.OutputStream() != 0 && Heard() > 0; }));
  RunUntil([] { return false; }, 1s);
  EXPECT_TRUE(ui.messages.empty());
  engine.StopPlayback(true);
}

TEST_F(RadioStreamTest, APauseWhileConnectingHoldsTheStationOnceItAnswers) {
  PlayStation("/radio.mp3?paused");
  engine.PauseOrResume();
  engine.PauseOrResume();
  EXPECT_EQ(Panel(), "Connecting " + server_->Url("/radio.mp3?paused") + "...");
  engine.PauseOrResume();
  EXPECT_EQ(Panel(), "Paused");
  EXPECT_TRUE(engine.IsPaused());
  ASSERT_TRUE(RunUntil([&] { return engine.OutputStream() != 0; }));
  RunUntil([] { return false; }, 1s);
  EXPECT_EQ(Panel(), "Paused");
  EXPECT_EQ(Heard(), 0);
  engine.PauseOrResume();
  EXPECT_TRUE(RunUntil([&] { return Heard() > 0; }));
  engine.StopPlayback(true);
}

TEST_F(RadioStreamTest, TricklingStationTimesOutAndNeverHoldsUpTheExit) {
  // Headers, then a byte a second. The program ends while it connects:
  // the engine goes at once instead of waiting for the server.
  auto leaving = std::make_unique<PlaybackEngine>(library, statusThread);
  {
    Core leavingCore(ui, *leaving, home.Path());
    leaving->Attach(leavingCore);
    leavingCore.playlist.PlaylistEntries = {server_->Url("/trickle.mp3?exit") + "|Trickle"};
    leaving->PlayEntry(0);
    RunUntil([] { return false; }, 2s);
  }
  const Clock::time_point start = Clock::now();
  leaving.reset();
  EXPECT_LT(Clock::now() - start, 1s);
  library.Free();
  ui.RunPosted();
  // Left to itself it stalls below the low-speed limit and fails.
  PlayStation("/trickle.mp3");
  ASSERT_TRUE(RunUntil([&] { return !ui.messages.empty(); }, 40s));
  EXPECT_EQ(ui.messages.front().text, "Error opening URL: Connection timed out.");
}

TEST_F(RadioStreamTest, ChangeOfSampleFormatEndsTheDownload) {
  WriteIniInteger(core, "Tweak", "StreamReconnect", 0);
  PlayStation("/format.mp3");
  ASSERT_TRUE(RunUntil([&] { return Panel() == "Error: Lost connection"; }));
  EXPECT_TRUE(RunUntil([&] { return Connections("/format.mp3", true) == 0; }, 5s));
  engine.StopPlayback(true);
}

TEST_F(RadioStreamTest, AStationStartsEveryTime) {
  // The hand-over from the connection to the output, a hundred times over:
  // each start must be heard. (Straight on the audio layer, without the
  // engine's start delay, to keep it quick.)
  ASSERT_TRUE(library.Init(1));
  int silent = 0;
  for (int start = 0; start < 100; ++start) {
    const audio::AudioHandle station = library.StreamCreateURL(server_->Url("/radio.mp3?many"), 0x200000);
    ASSERT_NE(station, 0u) << start;
    const audio::AudioHandle output = library.StreamCreate(44100, 2, [&](audio::AudioHandle, void* buffer, std::uint32_t wanted) {
      const std::uint32_t got = library.ChannelGetData(station, buffer, wanted);
      return got == audio::kDataError ? audio::kStreamEnd : got;
    });
    ASSERT_TRUE(library.StreamPlay(output));
    const Clock::time_point deadline = Clock::now() + 5s;
    while (library.ChannelGetPosition(output) <= 0 && Clock::now() < deadline) std::this_thread::sleep_for(2ms);
    if (library.ChannelGetPosition(output) <= 0) ++silent;
    library.StreamFree(output);
    library.StreamFree(station);
  }
  EXPECT_EQ(silent, 0);
  library.Free();
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

// The frequency of the tone in `samples` (stereo), from its rising zero
// crossings.
double ToneHz(const std::vector<std::int16_t>& samples, int rate) {
  int crossings = 0;
  for (std::size_t i = 2; i < samples.size(); i += 2) crossings += samples[i - 2] < 0 && samples[i] >= 0;
  return crossings * rate / (samples.size() / 2.0);
}

TEST_F(RadioStreamTest, AacAndHlsStationsPlayTheirTones) {
  ASSERT_TRUE(library.Init(1));
  // The fragmented MP4 station's playlist is reached through a redirect: its
  // relative segment addresses count from where it was found.
  for (const auto& [path, rate, hz] : {std::tuple{"/radio.aac", 44100, 660.0}, std::tuple{"/hls/master.m3u8", 48000, 550.0},
                                       std::tuple{"/moved/fmp4.m3u8", 48000, 550.0}}) {
    SCOPED_TRACE(path);
    const audio::AudioHandle station = library.StreamCreateURL(server_->Url(path), 0x200000);
    ASSERT_NE(station, 0u) << library.ErrorGetCode();
    audio::ChannelInfo info;
    ASSERT_TRUE(library.ChannelGetInfo(station, info));
    EXPECT_EQ(info.rate, static_cast<std::uint32_t>(rate));
    EXPECT_EQ(info.channels, 2u);
    // Two seconds of the station, past the start of its first second.
    std::vector<std::int16_t> heard;
    std::vector<std::int16_t> piece(4096);
    const Clock::time_point deadline = Clock::now() + 20s;
    while (heard.size() < static_cast<std::size_t>(rate) * 4 && Clock::now() < deadline) {
      const std::uint32_t got = library.ChannelGetData(station, piece.data(), 8192);
      ASSERT_NE(got, audio::kDataError);
      heard.insert(heard.end(), piece.begin(), piece.begin() + got / 2);
      if (got == 0) std::this_thread::sleep_for(10ms);
    }
    ASSERT_GE(heard.size(), static_cast<std::size_t>(rate) * 4);
    heard.erase(heard.begin(), heard.begin() + rate);
    EXPECT_NEAR(ToneHz(heard, rate), hz, 5.0);
    library.StreamFree(station);
  }
  // A master playlist that names itself leads nowhere.
  EXPECT_EQ(library.StreamCreateURL(server_->Url("/hls/self.m3u8"), 0), 0u);
  EXPECT_EQ(library.ErrorGetCode(), audio::ErrorNumber(audio::AudioError::FileFormat));
  library.Free();
}

TEST_F(RadioStreamTest, AacAndHlsStationTitlesReachTheCaption) {
  PlayStation("/radio.aac", "AAC station");
  ASSERT_TRUE(RunUntil([&] { return core.texts.caption == "Song 1 - Tarvo"; }));
  EXPECT_TRUE(RunUntil([&] { return Heard() >= 44100 * 4; }));
  engine.StopPlayback(true);

  PlayStation("/hls/master.m3u8", "HLS station");
  ASSERT_TRUE(RunUntil([&] { return core.texts.caption.rfind("Hls Song ", 0) == 0; }));
  const std::string first = core.texts.caption;
  EXPECT_TRUE(RunUntil([&] { return Heard() >= 48000 * 4; }));
  // The live playlist moves on: later segments bring their own titles.
  EXPECT_TRUE(RunUntil([&] { return core.texts.caption != first; }, 15s));
  EXPECT_EQ(Connections("/hls/missing.m3u8"), 0);
  engine.StopPlayback(true);
}

}  // namespace
}  // namespace tarvo
