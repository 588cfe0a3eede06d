// Recording stations of the loopback test server (tests/support/radio_server.py)
// through the engine, on the WAV output, which writes exactly what is heard:
// the saved recording must be what was heard from the press on, or, with the
// pre-record cache, from before it.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "audio/linux_audio_library.h"
#include "core.h"
#include "playback/engine.h"
#include "radio/record_temps.h"
#include "radio/stream_recorder.h"
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

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::uint32_t LittleEndianAt(const std::string& bytes, std::size_t offset, int width = 4) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[offset + i]);
  return value;
}

class RadioRecordTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fixtures_ = new testing::TempFolder;
    // A tone whose period is no whole number of samples, so that no stretch
    // of it repeats exactly.
    testing::WriteMp3(fixtures_->Path() + "tone.mp3", testing::AudioSpec{44100, 2, {testing::Tone(30.0, 443.7)}}, 128);
    testing::WriteOggVorbis(fixtures_->Path() + "mono.ogg", testing::AudioSpec{44100, 1, {testing::Tone(20.0, 443.7)}});
    // A live HLS station of packed MP3 segments, each opening with its ID3
    // tag as such stations send them.
    const std::string hls = fixtures_->Path() + "hls";
    std::filesystem::create_directory(hls);
    testing::WriteWithFfmpeg(hls + "/seg%d.mp3", testing::AudioSpec{44100, 2, {testing::Tone(12.0, 443.7)}},
                             "-c:a libmp3lame -b:a 128k -f segment -segment_time 2 -segment_format_options write_xing=0 "
                             "-segment_list_type m3u8 -segment_list '" + hls + "/media.m3u8'");
    server_ = new testing::RadioServerProcess(
        {"--mp3", fixtures_->Path() + "tone.mp3", "--ogg", fixtures_->Path() + "mono.ogg", "--hls", hls});
  }
  static void TearDownTestSuite() {
    std::printf("longest window-thread step while recording, dropping and reconnecting: %.1f ms\n",
                std::chrono::duration<double, std::milli>(longestStep_).count());
    delete server_;
    delete fixtures_;
  }

  RadioRecordTest()
      : library(audio::ParseOutputChoice("wav:" + home.Path() + "heard.wav")),
        engine(library, statusThread),
        core(ui, engine, home.Path()) {
    engine.Attach(core);
    core.audio = &library;
    core.settings.recordTempPath = home.Path();
    WriteIniString(core, "General", "RecordTempPath", home.Path());
  }

  void SetUp() override { ASSERT_NE(server_->port(), 0) << "the test server did not start"; }

  bool RunUntil(const std::function<bool()>& done, std::chrono::seconds limit = 30s) {
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

  std::int64_t Heard() { return library.ChannelGetPosition(engine.OutputStream()); }

  // Plays the station until `before` seconds are heard, records for
  // `during` seconds heard and saves; the heard position at the press.
  std::int64_t RecordStation(const std::string& path, double before, double during) {
    core.playlist.PlaylistEntries = {server_->Url(path) + "|Station"};
    engine.PlayEntry(0);
    const std::int64_t second = 44100 * 2 * (path == "/radio.ogg" ? 1 : 2);
    EXPECT_TRUE(RunUntil([&] { return engine.OutputStream() != 0 && Heard() >= before * second; }));
    ui.answers = {true, true};
    ui.chosenFiles.push_back(saved);
    const std::int64_t press = Heard();
    core.recorder->RecordStartAc(core);
    EXPECT_EQ(core.texts.recordCaption, "Stop &recording");
    EXPECT_TRUE(RunUntil([&] { return Heard() >= press + during * second; }));
    // The second press stops the station and offers the recording.
    core.recorder->RecordStartAc(core);
    EXPECT_EQ(engine.OutputStream(), 0u);
    EXPECT_EQ(ui.questions, (std::vector<std::string>{"Start recording?", "Record has been stopped.\rSave record?"}));
    EXPECT_EQ(ui.messages.empty() ? std::string() : ui.messages.back().text, "Stream succesfully saved to\r" + saved);
    return press;
  }

  // Where in what was heard the recording starts: found near `from` (bytes);
  // -1 when it isn't there. Then all that both hold must be equal.
  std::int64_t RecordingStartInHeard(std::int64_t from, std::int64_t to) {
    const std::string heard = FileBytes(home.Path() + "heard.wav").substr(44);
    const std::string recorded = FileBytes(saved).substr(44);
    const std::string probe = recorded.substr(0, 8192);
    std::int64_t start = -1;
    const auto heardSize = static_cast<std::int64_t>(heard.size());
    for (std::int64_t at = std::max<std::int64_t>(from, 0); at <= to && at + 8192 <= heardSize; at += 2) {
      if (heard.compare(static_cast<std::size_t>(at), probe.size(), probe) == 0) {
        start = at;
        break;
      }
    }
    if (start < 0) return -1;
    const std::size_t both = std::min(recorded.size(), heard.size() - static_cast<std::size_t>(start));
    EXPECT_GT(both, 44100u * 4) << "less than a second heard of the recording";
    EXPECT_EQ(heard.compare(static_cast<std::size_t>(start), both, recorded, 0, both), 0);
    return start;
  }

  static testing::TempFolder* fixtures_;
  static testing::RadioServerProcess* server_;
  // The longest the window thread's share of one round took (saving a
  // recording, which asks and writes, is no round).
  static Clock::duration longestStep_;

  testing::TempFolder home;
  testing::FakeUi ui;
  testing::ManualStatusThread statusThread;
  audio::LinuxAudioLibrary library;
  PlaybackEngine engine;
  Core core;
  const std::string saved = home.Path() + "saved.wav";
};

testing::TempFolder* RadioRecordTest::fixtures_ = nullptr;
testing::RadioServerProcess* RadioRecordTest::server_ = nullptr;
Clock::duration RadioRecordTest::longestStep_{};

TEST_F(RadioRecordTest, RecordingWithoutCacheHoldsWhatWasHeardFromThePress) {
  const std::int64_t press = RecordStation("/radio.mp3", 1.0, 3.0);
  const std::string wav = FileBytes(saved);
  ASSERT_GT(wav.size(), 44u);
  EXPECT_EQ(LittleEndianAt(wav, 4), wav.size() - 8);
  EXPECT_EQ(LittleEndianAt(wav, 40), wav.size() - 44);
  EXPECT_EQ(LittleEndianAt(wav, 22, 2), 2u);
  EXPECT_EQ(LittleEndianAt(wav, 28), 176400u);
  // It starts where the listener was when the recording took over: the
  // next block the station delivers after the press, which on a busy
  // machine may come a second or more later.
  EXPECT_GE(RecordingStartInHeard(press, press + 2 * 176400), press);
  EXPECT_FALSE(std::filesystem::exists(RecordTempFolderUnder(home.Path()) + RecordTempName(0)));
}

TEST_F(RadioRecordTest, LiveHlsStationOfMp3SegmentsRecordsWhatWasHeard) {
  const std::int64_t press = RecordStation("/hls/live.m3u8", 1.0, 4.0);
  EXPECT_GE(RecordingStartInHeard(press, press + 2 * 176400), press);
  const std::string wav = FileBytes(saved);
  EXPECT_NE(wav.find_first_not_of('\0', 44), std::string::npos) << "the recording is silent";
}

TEST_F(RadioRecordTest, MonoStationGivesAMonoHeader) {
  RecordStation("/radio.ogg", 0.5, 1.0);
  const std::string wav = FileBytes(saved);
  ASSERT_GT(wav.size(), 44u);
  EXPECT_EQ(LittleEndianAt(wav, 22, 2), 1u);
  EXPECT_EQ(LittleEndianAt(wav, 28), 88200u);
  EXPECT_EQ(LittleEndianAt(wav, 32, 2), 2u);
}

TEST_F(RadioRecordTest, LostConnectionOffersTheRecordingAtOnce) {
  // Without reconnecting, as the setting allows.
  WriteIniInteger(core, "Tweak", "StreamReconnect", 0);
  core.playlist.PlaylistEntries = {server_->Url("/drop.mp3") + "|Station"};
  engine.PlayEntry(0);
  ASSERT_TRUE(RunUntil([&] { return engine.OutputStream() != 0 && Heard() > 0; }));
  ui.answers = {true, false};
  core.recorder->RecordStartAc(core);
  ASSERT_TRUE(RunUntil([&] { return ui.questions.size() == 2; }));
  EXPECT_EQ(ui.questions[1], "Record has been stopped.\rSave record?");
  EXPECT_EQ(core.texts.statusPanels[3], "Error: Lost connection");
  // Panel 0 shows the volume again once the recording's progress is gone.
  EXPECT_EQ(core.texts.statusPanels[0], " " + std::to_string(core.settings.volume / 10) + " %");
  EXPECT_FALSE(core.recorder->Recording());
  EXPECT_FALSE(std::filesystem::exists(RecordTempFolderUnder(home.Path()) + RecordTempName(0)));
  engine.StopPlayback(true);
}

TEST_F(RadioRecordTest, DroppedStationComesBackByItselfIntoTheSameRecording) {
  // The station drops its listeners at 5 s and takes them again from 8 s.
  core.playlist.PlaylistEntries = {server_->Url("/flaky.mp3") + "|Station"};
  engine.PlayEntry(0);
  const std::int64_t second = 44100 * 4;
  ASSERT_TRUE(RunUntil([&] { return engine.OutputStream() != 0 && Heard() >= second; }));
  ui.answers = {true, true};
  ui.chosenFiles.push_back(saved);
  core.recorder->RecordStartAc(core);
  std::vector<std::string> shown;
  ASSERT_TRUE(RunUntil([&] {
    const std::string& panel = core.texts.statusPanels[3];
    if (shown.empty() || shown.back() != panel) shown.push_back(panel);
    return Heard() >= 14 * second;
  }, 60s));
  // Lost, then reconnecting, then playing on without a word; the caption
  // kept the station meanwhile.
  const auto lost = std::find(shown.begin(), shown.end(), "Error: Lost connection");
  ASSERT_NE(lost, shown.end());
  EXPECT_NE(std::find(lost, shown.end(), "Reconnecting..."), shown.end());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.questions, std::vector<std::string>{"Start recording?"});
  EXPECT_TRUE(core.recorder->Recording());
  core.recorder->RecordStartAc(core);
  // One recording: at most 7 s of it can come from before the drop (the
  // station sent 8 s, 1 s was heard before the press).
  const std::string wav = FileBytes(saved);
  ASSERT_GT(wav.size(), 44u);
  EXPECT_GT(wav.size() - 44, 9u * 176400);
  EXPECT_EQ(LittleEndianAt(wav, 40), wav.size() - 44);
  EXPECT_EQ(LittleEndianAt(wav, 22, 2), 2u);
}

TEST_F(RadioRecordTest, CachedRecordingStartsBeforeThePress) {
  // Slots of 3 seconds: the cache reaches past the 5 seconds the output
  // holds ahead of the listener.
  WriteIniBool(core, "General", "RecordAhead", true);
  WriteIniInteger(core, "General", "RecordSecAhead", 9);
  core.settings.cachingTime = 9;
  const std::int64_t press = RecordStation("/radio.mp3", 8.0, 2.0);
  const std::int64_t start = RecordingStartInHeard(0, press);
  EXPECT_GE(start, 0);
  EXPECT_LT(start, press - 2 * 176400);
}

}  // namespace
}  // namespace tarvo
