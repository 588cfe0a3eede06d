// The sleep timer's countdown, driven tick by tick as its window's timer
// would: the fade in the last 50 seconds, the end of the program or the
// power-off, and closing it early.
#include <gtest/gtest.h>

#include "integration/sleep_timer.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

class FakePowerOff : public PowerOffService {
 public:
  void RequestPowerOff() override { ++requests; }
  int requests = 0;
};

class SleepTimerTest : public testing::CoreTest {
 protected:
  SleepTimerTest() { core.powerOff = &powerOff; }

  // Ticks `seconds` times; false when the time ran out on the way.
  bool Run(int seconds) {
    for (int i = 0; i < seconds; ++i) {
      if (!timer.Tick()) return false;
    }
    return true;
  }

  FakePowerOff powerOff;
  int programEnds = 0;
  SleepTimer timer{core, [this] { ++programEnds; }};
};

TEST_F(SleepTimerTest, OneMinuteFadesWhenFiftySecondsAreLeftAndEndsTheProgramAtSixty) {
  ASSERT_TRUE(timer.Start("1"));
  EXPECT_EQ(timer.TimeLeftText(), "1:00");
  EXPECT_TRUE(Run(9));
  EXPECT_TRUE(playback.volumeSlides.empty());
  EXPECT_TRUE(Run(1));
  EXPECT_EQ(timer.TimeLeftText(), "0:50");
  EXPECT_EQ(playback.volumeSlides, (std::vector<std::pair<int, int>>{{0, 50000}}));
  EXPECT_TRUE(Run(49));
  EXPECT_TRUE(timer.Running());
  EXPECT_FALSE(Run(1));
  EXPECT_FALSE(timer.Running());
  timer.Expire(false);
  EXPECT_EQ(programEnds, 1);
  EXPECT_EQ(powerOff.requests, 0);
  EXPECT_EQ(playback.volumeSlides.size(), 1u);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SleepTimerTest, TextThatIsNoWholeNumberStartsNothingAndZeroEndsAtTheFirstTick) {
  for (const char* text : {"abc", "", "1.5", "99999999999"}) {
    EXPECT_FALSE(timer.Start(text)) << text;
    EXPECT_FALSE(timer.Running());
  }
  ASSERT_EQ(ui.messages.size(), 4u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(ui.messages[0].text, "No valid entry.");

  ASSERT_TRUE(timer.Start("30"));
  EXPECT_EQ(timer.TimeLeftText(), "30:00");
  EXPECT_TRUE(Run(1));
  EXPECT_EQ(timer.TimeLeftText(), "29:59");
  ASSERT_TRUE(timer.Start("0"));
  EXPECT_FALSE(Run(1));
}

TEST_F(SleepTimerTest, ClosingDuringTheFadeSaysAbortedOnceAndLeavesTheVolumeFaded) {
  ASSERT_TRUE(timer.Start("1"));
  EXPECT_TRUE(Run(20));
  timer.Abort();
  timer.Abort();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Sleep timer aborted.");
  EXPECT_FALSE(timer.Running());
  EXPECT_EQ(playback.volumeSlides.size(), 1u);
  EXPECT_TRUE(playback.appliedVolumes.empty());
  EXPECT_EQ(programEnds, 0);
}

TEST_F(SleepTimerTest, WithPowerOffTheSystemIsAskedOnceAndTheProgramRunsOn) {
  ASSERT_TRUE(timer.Start("1"));
  EXPECT_FALSE(Run(60));
  timer.Expire(true);
  EXPECT_EQ(powerOff.requests, 1);
  EXPECT_EQ(programEnds, 0);
}

}  // namespace
}  // namespace tarvo
