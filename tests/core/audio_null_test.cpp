// The real-time clock behind the null and wav outputs, and the null output
// consuming a stream at the pace of a sound card.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "audio/linux_audio_library.h"
#include "audio/paced_sink.h"

namespace tarvo::audio {
namespace {

using namespace std::chrono_literals;
using Clock = PacingClock::Clock;

TEST(PacingClock, HearsBytesAtTheirRateAndNeverMoreThanGiven) {
  PacingClock clock(44100 * 4, 4);
  const Clock::time_point start = Clock::now();
  clock.Add(44100 * 4, start);
  EXPECT_EQ(clock.Heard(start), 0u);
  EXPECT_EQ(clock.Heard(start + 10ms), 441u * 4);
  EXPECT_EQ(clock.Heard(start + 1s), 44100u * 4);
  EXPECT_EQ(clock.Heard(start + 5s), 44100u * 4);
  EXPECT_EQ(clock.WhenHeard(441 * 4), start + 10ms);
  EXPECT_EQ(clock.WhenHeard(0), start);
}

TEST(PacingClock, ARunDryClockStartsNewBytesWhenTheyCome) {
  PacingClock clock(8000 * 2, 2);
  const Clock::time_point start = Clock::now();
  clock.Add(800 * 2, start);                // 100 ms
  clock.Add(800 * 2, start + 300ms);        // after 200 ms of silence
  EXPECT_EQ(clock.Heard(start + 300ms), 800u * 2);
  EXPECT_EQ(clock.Heard(start + 350ms), 1200u * 2);
  // Added while still playing: queued behind what is there.
  clock.Add(800 * 2, start + 350ms);
  EXPECT_EQ(clock.WhenHeard(2400 * 2), start + 500ms);
}

TEST(PacingClock, PauseFreezesAndResumeGoesOn) {
  PacingClock clock(1000 * 2, 2);
  const Clock::time_point start = Clock::now();
  clock.Add(1000 * 2, start);
  clock.Pause(start + 100ms);
  EXPECT_EQ(clock.Heard(start + 900ms), 100u * 2);
  EXPECT_EQ(clock.WhenHeard(200 * 2), Clock::time_point::max());
  clock.Resume(start + 1s);
  EXPECT_EQ(clock.Heard(start + 1100ms), 200u * 2);
  clock.Reset();
  EXPECT_EQ(clock.Added(), 0u);
  EXPECT_EQ(clock.Heard(start + 2s), 0u);
}

TEST(NullOutput, ConsumesAStreamInRealTime) {
  LinuxAudioLibrary library(ParseOutputChoice("null"));
  ASSERT_TRUE(library.Init(1));
  constexpr std::int64_t kBytes = 22050 * 2 * 3 / 10;  // 0.3 s, mono
  std::atomic<std::int64_t> made{0};
  const AudioHandle stream = library.StreamCreate(22050, 1, [&](AudioHandle, void* buffer, std::uint32_t wanted) {
    const std::int64_t bytes = std::min<std::int64_t>(wanted, kBytes - made.load());
    std::memset(buffer, 0, static_cast<std::size_t>(bytes));
    made += bytes;
    return static_cast<std::uint32_t>(bytes) | (made.load() == kBytes ? kStreamEnd : 0);
  });
  const Clock::time_point start = Clock::now();
  ASSERT_TRUE(library.StreamPlay(stream));
  std::this_thread::sleep_for(150ms);
  const double midway = library.ChannelBytes2Seconds(stream, library.ChannelGetPosition(stream));
  const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_LE(midway, elapsed);
  EXPECT_GT(midway, elapsed - 0.15);  // the thread's start and one block
  while (library.ChannelIsActive(stream) != ChannelState::Stopped && Clock::now() - start < 3s) {
    std::this_thread::sleep_for(2ms);
  }
  const double total = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_GE(total, 0.29);
  EXPECT_LT(total, 0.8);
  EXPECT_EQ(library.ChannelGetPosition(stream), kBytes);
  EXPECT_TRUE(library.Free());
}

}  // namespace
}  // namespace tarvo::audio
