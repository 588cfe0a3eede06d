#include "playback/level_meter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "audio/linux_audio_library.h"
#include "integration/saved_settings.h"
#include "settings/settings_store.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

using testing::CoreTest;
using namespace std::chrono_literals;

// The timer behind TVUThread, ticked by hand.
class FakeVUThread : public TVUThread {
 public:
  void Suspend() override { suspended = true; }
  void Resume() override {
    suspended = false;
    ++resumes;
  }
  bool IsSuspended() const override { return suspended; }

  bool suspended = true;  // created suspended
  int resumes = 0;
};

class LevelMeterTest : public CoreTest {
 protected:
  // The LEDs after each tick: one with `first` on both sides, then silence.
  std::vector<int> LedsFalling(int first, int ticks) {
    std::vector<int> leds;
    ShowPeaks(core, {first, first});
    leds.push_back(core.levelMeter.ledsLeft);
    for (int tick = 1; tick < ticks; ++tick) {
      ShowPeaks(core, {});
      EXPECT_EQ(core.levelMeter.ledsLeft, core.levelMeter.ledsRight);
      leds.push_back(core.levelMeter.ledsLeft);
    }
    return leds;
  }
};

TEST(LevelMeterTables, LedCountsForKnownLevels) {
  struct Case {
    int level;
    int leds6;
    int leds14;
  };
  const Case cases[] = {
      {0, 0, 1},                       // silence: the 14-step meter keeps one LED lit
      {32, 0, 1},                      // just under -60 dB
      {33, 1, 2},                      // -60 dB
      {500, 1, 3},                     // between -60 and -30 dB
      {1036, 1, 3},   {1037, 2, 4},    // -30 dB
      {3277, 2, 6},                    // -20 dB
      {5828, 3, 7},                    // -15 dB
      {13045, 4, 9},  {13046, 4, 10},  // -8 dB
      {18427, 5, 11},                  // -5 dB
      {26028, 5, 12}, {26029, 6, 13},  // -2 dB
      {32767, 6, 13},                  // the loudest positive sample is not full scale
      {32768, 7, 14},                  // only -32768 is
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LitSegments(kLevelMeter6Style, c.level), c.leds6) << c.level;
    EXPECT_EQ(LitSegments(kLevelMeter14Style, c.level), c.leds14) << c.level;
    EXPECT_EQ(LitSegments(kLevelMeterHidden, c.level), 0);
    EXPECT_EQ(LitSegments(3, c.level), 0);
  }
}

TEST(LevelMeterTables, TheLowestStepsFallStraightToDark) {
  // The 6-step meter drops from its -60 dB step (and anything below -30 dB)
  // straight to dark; the 14-step meter from -60 dB to silence.
  EXPECT_EQ(NextLowerThreshold(kLevelMeter6Style, 1037), 33);
  EXPECT_EQ(NextLowerThreshold(kLevelMeter6Style, 1036), 0);
  EXPECT_EQ(NextLowerThreshold(kLevelMeter6Style, 33), 0);
  EXPECT_EQ(NextLowerThreshold(kLevelMeter14Style, 328), 33);
  EXPECT_EQ(NextLowerThreshold(kLevelMeter14Style, 33), 0);
  EXPECT_EQ(NextLowerThreshold(kLevelMeter14Style, 32), 0);
  // No style: straight to dark.
  EXPECT_EQ(NextLowerThreshold(3, 32768), 0);
  EXPECT_EQ(NextLowerThreshold(kLevelMeterHidden, 32768), 0);
}

TEST(LevelMeterPeaks, EvenSamplesAreLeftOddAreRight) {
  const std::int16_t samples[] = {100, -32768, -200, 5, 32767, -7};
  const ChannelPeaks stereo = PeakLevels(samples, false);
  EXPECT_EQ(stereo.left, 32767);
  EXPECT_EQ(stereo.right, 32768);
  const ChannelPeaks mono = PeakLevels(samples, true);
  EXPECT_EQ(mono.left, 32768);
  EXPECT_EQ(mono.right, 32768);
  const ChannelPeaks none = PeakLevels({}, false);
  EXPECT_EQ(none.left, 0);
  EXPECT_EQ(none.right, 0);
}

TEST_F(LevelMeterTest, AfterALoudPeakTheMeterFallsOneLedEveryOtherTick) {
  core.settings.levelMeterStyle = kLevelMeter6Style;
  EXPECT_EQ(LedsFalling(32768, 15), (std::vector<int>{7, 6, 6, 5, 5, 4, 4, 3, 3, 2, 2, 1, 1, 0, 0}));
  EXPECT_EQ(core.levelMeter.DisplayedLevelLeft, 0);

  core.levelMeter = {};
  core.settings.levelMeterStyle = kLevelMeter14Style;
  EXPECT_EQ(LedsFalling(32768, 28), (std::vector<int>{14, 13, 13, 12, 12, 11, 11, 10, 10, 9, 9, 8, 8, 7,
                                                      7,  6,  6,  5,  5,  4,  4,  3,  3,  2, 2, 1, 1, 1}));
  EXPECT_EQ(core.levelMeter.DisplayedLevelRight, 0);
}

TEST_F(LevelMeterTest, LouderPeaksJumpUpAtOnceAndEqualPeaksHold) {
  core.settings.levelMeterStyle = kLevelMeter14Style;
  ShowPeaks(core, {3277, 20676});  // not a decay tick
  EXPECT_EQ(core.levelMeter.ledsLeft, 6);
  EXPECT_EQ(core.levelMeter.ledsRight, 12);
  // A decay tick: the left side is held by an equal peak, the right falls.
  EXPECT_TRUE(ShowPeaks(core, {3277, 100}));
  EXPECT_EQ(core.levelMeter.ledsLeft, 6);
  EXPECT_EQ(core.levelMeter.ledsRight, 11);
  // A louder peak shows at once, on any tick.
  ShowPeaks(core, {32768, 100});
  EXPECT_EQ(core.levelMeter.ledsLeft, 14);
  EXPECT_EQ(core.levelMeter.DisplayedLevelLeft, 32768);
  // Nothing changed: no repaint needed.
  EXPECT_FALSE(ShowPeaks(core, {32768, 16423}));
}

TEST_F(LevelMeterTest, TheThreadSleepsOnlyOnceAPausedMeterIsDark) {
  audio::LinuxAudioLibrary library(audio::ParseOutputChoice("null"));
  FakeVUThread thread;
  core.settings.levelMeterStyle = kLevelMeter6Style;
  WakeLevelMeter(core, thread);
  EXPECT_FALSE(thread.suspended);
  EXPECT_EQ(thread.resumes, 1);

  ShowPeaks(core, {32768, 1037});
  RequestLevelMeterPause(core);
  // No output: each round is silence, so the meter falls and then sleeps.
  int rounds = 0;
  while (!thread.suspended && rounds < 100) {
    LevelThreadRound(core, thread, library, 0);
    ++rounds;
  }
  EXPECT_TRUE(thread.suspended);
  EXPECT_EQ(core.levelMeter.ledsLeft, 0);
  EXPECT_EQ(core.levelMeter.ledsRight, 0);
  EXPECT_GE(rounds, 12);

  // Waking clears the request; a dark meter then keeps running.
  WakeLevelMeter(core, thread);
  EXPECT_FALSE(core.levelMeter.pauseRequested);
  LevelThreadRound(core, thread, library, 0);
  EXPECT_FALSE(thread.suspended);
  // Waking a running thread does not resume it twice.
  WakeLevelMeter(core, thread);
  EXPECT_EQ(thread.resumes, 2);
}

TEST_F(LevelMeterTest, AStyleThatIsNoStyleNeverKeepsTheThreadAwake) {
  audio::LinuxAudioLibrary library(audio::ParseOutputChoice("null"));
  FakeVUThread thread;
  thread.suspended = false;
  // As loaded from a hand-edited file, before the window applies it.
  core.settings.levelMeterStyle = 3;
  ShowPeaks(core, {20000, 20000});
  RequestLevelMeterPause(core);
  for (int round = 0; round < 4 && !thread.suspended; ++round) LevelThreadRound(core, thread, library, 0);
  EXPECT_TRUE(thread.suspended);

  // Hiding the meter puts it out, so a stop lets the thread sleep.
  core.settings.levelMeterStyle = kLevelMeter6Style;
  ShowPeaks(core, {20000, 20000});
  ApplyLevelMeterStyle(core, kLevelMeterHidden);
  thread.suspended = false;
  LevelThreadRound(core, thread, library, 0);
  EXPECT_TRUE(thread.suspended);
}

TEST_F(LevelMeterTest, StyleIsStoredAtOnceAndOutOfRangeValuesTakeTheDefault) {
  ApplyLevelMeterStyle(core, kLevelMeter14Style);
  EXPECT_EQ(core.settings.levelMeterStyle, 2);
  EXPECT_EQ(ReadIniInteger(core, "Window", "VUStyle", -1), 2);

  // VUToggleAc cycles 0 -> 1 -> 2 -> 0.
  std::vector<int> styles;
  for (int press = 0; press < 4; ++press) {
    ToggleLevelMeterStyle(core);
    styles.push_back(ReadIniInteger(core, "Window", "VUStyle", -1));
  }
  EXPECT_EQ(styles, (std::vector<int>{0, 1, 2, 0}));

  for (const int stored : {3, -1, 99}) {
    ApplyLevelMeterStyle(core, stored);
    EXPECT_EQ(core.settings.levelMeterStyle, kLevelMeter6Style) << stored;
    EXPECT_EQ(ReadIniInteger(core, "Window", "VUStyle", -1), kLevelMeter6Style);
  }

  // The style survives a restart.
  ApplyLevelMeterStyle(core, kLevelMeter14Style);
  core.settings.levelMeterStyle = 0;
  LoadSettings(core, 1280, 1024);
  EXPECT_EQ(core.settings.levelMeterStyle, kLevelMeter14Style);
}

TEST_F(LevelMeterTest, SwitchingStyleRelightsFromTheShownLevels) {
  core.settings.levelMeterStyle = kLevelMeter6Style;
  ShowPeaks(core, {3277, 0});
  EXPECT_EQ(core.levelMeter.ledsLeft, 2);
  ApplyLevelMeterStyle(core, kLevelMeter14Style);
  EXPECT_EQ(core.levelMeter.ledsLeft, 6);
  EXPECT_EQ(core.levelMeter.ledsRight, 1);
}

// What the null output is heard playing, read as the window's tick does.
class LevelTickTest : public LevelMeterTest {
 protected:
  LevelTickTest() : library(audio::ParseOutputChoice("null")) {}

  // A stream whose samples alternate `left` and `right`, in its channels
  // whatever their number; waits until some of it has been heard.
  void Play(int channels, std::int16_t left, std::int16_t right) {
    ASSERT_TRUE(library.Init(1));
    output = library.StreamCreate(44100, channels, [=](audio::AudioHandle, void* buffer, std::uint32_t wanted) {
      auto* samples = static_cast<std::int16_t*>(buffer);
      for (std::uint32_t i = 0; i < wanted / 2; ++i) samples[i] = i % 2 == 0 ? left : right;
      return wanted;
    });
    ASSERT_NE(output, 0u);
    ASSERT_TRUE(library.StreamPlay(output));
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (library.ChannelGetPosition(output) <= 0 && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(2ms);
    }
  }

  audio::LinuxAudioLibrary library;
  audio::AudioHandle output = 0;
};

TEST_F(LevelTickTest, LightsWhatIsHeardAndFallsWhilePaused) {
  core.settings.levelMeterStyle = kLevelMeter6Style;
  Play(2, -32768, 1000);
  EXPECT_TRUE(LevelTick(core, library, output));
  EXPECT_EQ(core.levelMeter.ledsLeft, 7);
  EXPECT_EQ(core.levelMeter.ledsRight, 1);

  // Paused, the same moment stays in the buffer; the meter must still fall.
  ASSERT_TRUE(library.ChannelPause(output));
  LevelTick(core, library, output);
  EXPECT_EQ(core.levelMeter.ledsLeft, 6);
  EXPECT_EQ(core.levelMeter.ledsRight, 0);
}

TEST_F(LevelTickTest, AMonoOutputLightsBothSidesAlike) {
  core.settings.levelMeterStyle = kLevelMeter14Style;
  // Alternate samples of one channel must not read as two sides.
  Play(1, 13046, 100);
  LevelTick(core, library, output);
  EXPECT_EQ(core.levelMeter.ledsLeft, 10);
  EXPECT_EQ(core.levelMeter.ledsRight, 10);
}

}  // namespace
}  // namespace tarvo
