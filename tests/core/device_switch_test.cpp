// Switching the output device while a file plays: on a real pulseaudio
// server with two null sinks the file goes on at the same place on the
// second one (both monitors recorded); a device that can't be opened is
// reported, and the entry and its place wait for the next play.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>

#include "core.h"
#include "playlist/model.h"
#include "settings/settings_store.h"
#include "support/audio_fixtures.h"
#include "support/engine_fixture.h"
#include "support/pulse_server.h"

namespace tarvo {
namespace {

using namespace std::chrono_literals;

// One second of each: the pitch heard tells the place in the file.
constexpr int kSegments = 8;
double SegmentHz(int segment) { return 400.0 + 200.0 * segment; }

class DeviceSwitchTest : public testing::EngineFixture {
 protected:
  // The engine over `output`, with "other.wav" (missing) and "steps.wav" in
  // the list: kSegments one-second tones of rising pitch.
  void UseOutput(const std::string& output) {
    EngineFixture::UseOutput(output);
    testing::AudioSpec spec{44100, 2, {}};
    for (int segment = 0; segment < kSegments; ++segment) {
      spec.segments.push_back(testing::Tone(1.0, SegmentHz(segment), 0.5));
    }
    const std::string file = home.Path() + "steps.wav";
    testing::WriteWav(file, spec);
    core->playlist.PlaylistEntries = {home.Path() + "other.wav", file};
  }
};

// The pitch of the first 0.2 s of `raw` (16-bit stereo) from where it gets
// louder than a quarter scale, and how long it is loud; 0 Hz when it never is.
struct Heard {
  double firstHz = 0;
  double loudSeconds = 0;
};
Heard Listen(const std::string& raw) {
  std::vector<std::int16_t> samples(raw.size() / 2);
  std::memcpy(samples.data(), raw.data(), samples.size() * 2);
  std::size_t first = samples.size();
  std::size_t last = 0;
  for (std::size_t i = 0; i < samples.size(); i += 2) {
    if (std::abs(samples[i]) < 8000) continue;
    first = std::min(first, i);
    last = i;
  }
  Heard heard;
  if (first < last) heard.loudSeconds = static_cast<double>(last - first) / 2 / 44100;
  constexpr std::size_t kWindow = 2 * 44100 / 5;
  if (first + kWindow > samples.size()) return heard;
  int crossings = 0;
  for (std::size_t i = first; i + 2 < first + kWindow; i += 2) {
    if ((samples[i] < 0) != (samples[i + 2] < 0)) ++crossings;
  }
  heard.firstHz = crossings / 2.0 / 0.2;
  return heard;
}

TEST_F(DeviceSwitchTest, TheFileGoesOnAtTheSamePlaceOnTheOtherSink) {
  if (!testing::ProgramInstalled("pulseaudio") || !testing::ProgramInstalled("parec")) {
    GTEST_SKIP() << "pulseaudio or parec is not installed (scripts/setup.sh)";
  }
  testing::PulseServer server;
  ASSERT_TRUE(server.Ready()) << "pulseaudio did not start:\n" << server.Log();
  UseOutput("pulse:" + server.Address());
  const std::string firstHeard = server.Folder() + "first.raw";
  const std::string secondHeard = server.Folder() + "second.raw";
  testing::Child firstRecorder(testing::MonitorRecorder(server, "tarvo_null"), {}, firstHeard);
  testing::Child secondRecorder(testing::MonitorRecorder(server, "tarvo_second"), {}, secondHeard);
  ASSERT_TRUE(firstRecorder.Started() && secondRecorder.Started());
  std::this_thread::sleep_for(300ms);

  WriteIniInteger(*core, "General", "Device", 2);  // "Tarvo Null"
  engine->PlayEntry(1);
  ASSERT_NE(engine->OutputStream(), 0u);
  ASSERT_TRUE(TickUntil([&] { return engine->ElapsedMs() >= 2500; }));
  const std::int64_t switchedAt = engine->ElapsedMs();
  engine->SwitchOutputDevice(3);  // "Second"
  EXPECT_EQ(ReadIniInteger(*core, "General", "Device", 0), 3);
  EXPECT_EQ(core->playlist.CurrentIndex, 1);
  ASSERT_NE(engine->OutputStream(), 0u);
  EXPECT_NEAR(static_cast<double>(engine->ElapsedMs()), static_cast<double>(switchedAt), 100.0);
  ASSERT_TRUE(TickUntil([&] { return engine->ElapsedMs() >= switchedAt + 1500; }));
  std::this_thread::sleep_for(300ms);
  engine->StopPlayback(true);
  firstRecorder.Stop();
  secondRecorder.Stop();
  EXPECT_TRUE(ui.messages.empty());

  const int segment = static_cast<int>(switchedAt / 1000);
  const Heard first = Listen(testing::ReadText(firstHeard));
  const Heard second = Listen(testing::ReadText(secondHeard));
  EXPECT_NEAR(first.firstHz, SegmentHz(0), 15.0) << "the file started on the first sink";
  EXPECT_NEAR(first.loudSeconds, switchedAt / 1000.0, 0.6) << "and was heard there until the switch";
  EXPECT_NEAR(second.firstHz, SegmentHz(segment), 15.0) << "the second sink goes on where the first stopped";
  EXPECT_GT(second.loudSeconds, 1.0);
}

TEST_F(DeviceSwitchTest, ADeviceThatCantBeOpenedKeepsTheEntryAndPlaceForTheNextPlay) {
  UseOutput("null");  // one device only
  engine->PlayEntry(1);
  ASSERT_TRUE(TickUntil([&] { return engine->ElapsedMs() >= 1500; }));
  const std::int64_t switchedAt = engine->ElapsedMs();
  engine->SwitchOutputDevice(2);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Can't open sound device.");
  EXPECT_FALSE(engine->DeviceOpen());
  EXPECT_EQ(core->playlist.CurrentIndex, 1);
  EXPECT_EQ(core->playlist.PlayingEntry, core->playlist.PlaylistEntries[1]);

  WriteIniInteger(*core, "General", "Device", 1);
  engine->PlayEntry(1);
  ASSERT_NE(engine->OutputStream(), 0u);
  EXPECT_NEAR(static_cast<double>(engine->ElapsedMs()), static_cast<double>(switchedAt), 100.0);
  // Only the entry that was playing goes on from there, and only once.
  engine->PlayEntry(1);
  EXPECT_LT(engine->ElapsedMs(), 200);
  EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
}  // namespace tarvo
