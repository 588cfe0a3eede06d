// The PulseAudio output against a real server: each test starts its own
// pulseaudio with null sinks in a private runtime folder, plays through the
// `pulse` output and records the sink's monitor with parec.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <numbers>
#include <thread>

#include "audio/linux_audio_library.h"
#include "support/pulse_server.h"
#include "support/temp_folder.h"

namespace tarvo::audio {
namespace {

using namespace std::chrono_literals;
using testing::Child;
using testing::ProgramInstalled;
using testing::PulseServer;
using testing::ReadText;

class AudioPulseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ProgramInstalled("pulseaudio") || !ProgramInstalled("parec")) {
      std::fprintf(stderr,
                   "\n*** SKIPPED: pulseaudio or parec is not installed, so the PulseAudio output is NOT "
                   "tested here. Install pulseaudio and pulseaudio-utils (scripts/setup.sh). ***\n\n");
      GTEST_SKIP() << "pulseaudio or parec is not installed";
    }
    server = std::make_unique<PulseServer>();
    ASSERT_TRUE(server->Ready()) << "pulseaudio did not start:\n" << server->Log();
  }

  std::unique_ptr<PulseServer> server;
};

// A sine of `frequency` Hz at half scale on both channels, for `frames`
// frames (unbounded when negative), then the end.
StreamProcedure Sine(double frequency, std::int64_t frames, std::shared_ptr<std::atomic<std::int64_t>> made) {
  return [=](AudioHandle, void* buffer, std::uint32_t wanted) {
    auto* samples = static_cast<std::int16_t*>(buffer);
    std::int64_t frame = made->load();
    const std::int64_t count = frames < 0 ? wanted / 4 : std::min<std::int64_t>(wanted / 4, frames - frame);
    for (std::int64_t i = 0; i < count; ++i, ++frame) {
      const auto value = static_cast<std::int16_t>(
          std::lround(16384.0 * std::sin(2.0 * std::numbers::pi * frequency * static_cast<double>(frame) / 44100.0)));
      samples[2 * i] = samples[2 * i + 1] = value;
    }
    *made = frame;
    const auto bytes = static_cast<std::uint32_t>(count * 4);
    return frame == frames ? bytes | kStreamEnd : bytes;
  };
}

TEST_F(AudioPulseTest, DevicesAreTheServersOutputs) {
  LinuxAudioLibrary library(ParseOutputChoice("pulse:" + server->Address()));
  EXPECT_EQ(library.GetDeviceDescription(1), "Default");
  EXPECT_EQ(library.GetDeviceDescription(2), "Tarvo Null");
  EXPECT_EQ(library.GetDeviceDescription(3), "Second");
  EXPECT_EQ(library.GetDeviceDescription(4), std::nullopt);
  EXPECT_FALSE(library.Init(4));
  EXPECT_EQ(library.ErrorGetCode(), ErrorNumber(AudioError::Device));
  ASSERT_TRUE(library.Init(3)) << library.ErrorGetCode();
  EXPECT_TRUE(library.Free());
  ASSERT_TRUE(library.Init(1)) << library.ErrorGetCode();
  EXPECT_TRUE(library.Free());
}

TEST_F(AudioPulseTest, ToneArrivesAtTheSink) {
  const std::string recording = server->Folder() + "heard.raw";
  Child recorder(testing::MonitorRecorder(*server, "tarvo_null"), {}, recording);
  ASSERT_TRUE(recorder.Started());

  LinuxAudioLibrary library(ParseOutputChoice("pulse:" + server->Address()));
  ASSERT_TRUE(library.Init(2)) << library.ErrorGetCode();
  constexpr std::int64_t kFrames = 44100;  // one second
  auto made = std::make_shared<std::atomic<std::int64_t>>(0);
  const AudioHandle stream = library.StreamCreate(44100, 2, Sine(1000.0, kFrames, made));
  ASSERT_NE(stream, 0u);
  // Let the recorder connect before the tone starts.
  std::this_thread::sleep_for(300ms);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(library.StreamPlay(stream));
  EXPECT_NE(library.ChannelIsActive(stream), ChannelState::Stopped);
  const auto deadline = start + 5s;
  while (library.ChannelIsActive(stream) != ChannelState::Stopped && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(5ms);
  }
  const double playedFor = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(library.ChannelIsActive(stream), ChannelState::Stopped);
  EXPECT_EQ(library.ChannelGetPosition(stream), kFrames * 4);
  // Played in real time: a second, plus the device's latency. The null
  // sink of an idle server wakes for a new stream only at the end of its
  // current two-second block, so allow for that.
  EXPECT_GT(playedFor, 0.9);
  EXPECT_LT(playedFor, 4.0);
  std::this_thread::sleep_for(300ms);
  recorder.Stop();
  EXPECT_TRUE(library.Free());

  // Find the tone in the recording: its loud stretch, its level, its pitch.
  const std::string raw = ReadText(recording);
  std::vector<std::int16_t> heard(raw.size() / 2);
  std::memcpy(heard.data(), raw.data(), heard.size() * 2);
  ASSERT_GT(heard.size(), 2u * 44100) << "parec recorded too little";
  std::size_t first = heard.size();
  std::size_t last = 0;
  for (std::size_t i = 0; i < heard.size(); i += 2) {
    if (std::abs(heard[i]) > 8000) {
      first = std::min(first, i);
      last = i;
    }
  }
  ASSERT_LT(first, last) << "no tone in the recording";
  const double seconds = static_cast<double>(last - first) / 2 / 44100;
  EXPECT_NEAR(seconds, 1.0, 0.05);
  double energy = 0;
  int crossings = 0;
  for (std::size_t i = first; i + 2 <= last; i += 2) {
    energy += static_cast<double>(heard[i]) * heard[i];
    if ((heard[i] < 0) != (heard[i + 2] < 0)) ++crossings;
  }
  const double rms = std::sqrt(energy / static_cast<double>((last - first) / 2));
  EXPECT_NEAR(rms, 16384.0 / std::sqrt(2.0), 1500.0);
  EXPECT_NEAR(crossings / seconds / 2.0, 1000.0, 20.0);
}

TEST_F(AudioPulseTest, PauseHoldsThePositionAndStopStartsOver) {
  LinuxAudioLibrary library(ParseOutputChoice("pulse:" + server->Address()));
  ASSERT_TRUE(library.Init(1)) << library.ErrorGetCode();
  auto made = std::make_shared<std::atomic<std::int64_t>>(0);
  const AudioHandle stream = library.StreamCreate(44100, 2, Sine(440.0, -1, made));
  ASSERT_TRUE(library.StreamPlay(stream));
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while (library.ChannelGetPosition(stream) < 44100 * 4 / 4 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(5ms);
  }
  ASSERT_GE(library.ChannelGetPosition(stream), 44100);
  // Heard, not buffered: the procedure is seconds ahead.
  EXPECT_LT(library.ChannelGetPosition(stream), made->load() * 4 - 44100 * 4);
  std::int16_t now[256];
  EXPECT_EQ(library.ChannelGetData(stream, now, sizeof now), sizeof now);

  ASSERT_TRUE(library.ChannelPause(stream));
  std::this_thread::sleep_for(50ms);
  const std::int64_t paused = library.ChannelGetPosition(stream);
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(library.ChannelGetPosition(stream), paused);
  EXPECT_EQ(library.ChannelIsActive(stream), ChannelState::Paused);
  ASSERT_TRUE(library.ChannelResume(stream));
  std::this_thread::sleep_for(200ms);
  EXPECT_GT(library.ChannelGetPosition(stream), paused + 44100 * 4 / 20);

  ASSERT_TRUE(library.ChannelStop(stream));
  EXPECT_EQ(library.ChannelGetPosition(stream), 0);
  ASSERT_TRUE(library.StreamPlay(stream));
  std::this_thread::sleep_for(200ms);
  const std::int64_t again = library.ChannelGetPosition(stream);
  EXPECT_GT(again, 0);
  EXPECT_LT(again, 44100 * 4);
  EXPECT_TRUE(library.Free());
}

TEST(AudioPulseOutput, NoServerMeansNoDevice) {
  testing::TempFolder folder;
  LinuxAudioLibrary library(ParseOutputChoice("pulse:unix:" + folder.Path() + "none"));
  EXPECT_FALSE(library.Init(1));
  EXPECT_EQ(library.ErrorGetCode(), ErrorNumber(AudioError::Driver));
  EXPECT_EQ(library.GetDeviceDescription(2), std::nullopt);
  // Decoding works without a device; an output stream needs one.
  EXPECT_EQ(library.StreamCreate(44100, 2, [](AudioHandle, void*, std::uint32_t) { return kStreamEnd; }), 0u);
  EXPECT_EQ(library.ErrorGetCode(), ErrorNumber(AudioError::Init));
}

}  // namespace
}  // namespace tarvo::audio
