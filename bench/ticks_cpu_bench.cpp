// The cost of the status tick and the level tick while a file plays in real
// time on the null output: the CPU time of the window thread's ticks, as a
// share of one core, against the wall time they ran over.
#include <time.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "audio/linux_audio_library.h"
#include "audio_bench_fixture.h"
#include "bench_support.h"
#include "core.h"
#include "playback/engine.h"
#include "playback/level_meter.h"
#include "playlist/model.h"

namespace {

constexpr int kSeconds = 8;
constexpr auto kStatusPeriod = std::chrono::milliseconds(33);
constexpr auto kLevelPeriod = std::chrono::milliseconds(20);

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

int main() {
  tarvo::bench::ScratchFolder folder;
  const std::string file = folder.Path() + "tone.mp3";
  if (!tarvo::bench::MakeMp3(file, kSeconds + 4)) {
    std::fprintf(stderr, "lame is missing; skipped\n");
    return 0;
  }
  tarvo::bench::QuietUi ui;
  tarvo::audio::LinuxAudioLibrary library(tarvo::audio::ParseOutputChoice("null"));
  tarvo::bench::LoopThread statusThread;
  tarvo::bench::LoopThread levelThread;
  tarvo::PlaybackEngine engine(library, statusThread);
  tarvo::Core core(ui, engine, folder.Path());
  engine.Attach(core);
  engine.SetLevelThread(&levelThread);
  core.playlist.PlaylistEntries = {file};
  tarvo::UpdateListView(core, false, false);
  tarvo::ApplyLevelMeterStyle(core, tarvo::kLevelMeter14Style);
  engine.PlayEntry(0);

  double tickCpu = 0;
  int statusTicks = 0;
  int levelTicks = 0;
  const auto start = std::chrono::steady_clock::now();
  auto nextStatus = start;
  auto nextLevel = start;
  while (std::chrono::steady_clock::now() - start < std::chrono::seconds(kSeconds)) {
    const auto now = std::chrono::steady_clock::now();
    const double before = ThreadCpuSeconds();
    if (now >= nextStatus) {
      engine.StatusTick();
      nextStatus += kStatusPeriod;
      ++statusTicks;
    }
    if (now >= nextLevel) {
      tarvo::LevelThreadRound(core, levelThread, library, engine.OutputStream());
      nextLevel += kLevelPeriod;
      ++levelTicks;
    }
    tickCpu += ThreadCpuSeconds() - before;
    std::this_thread::sleep_until(std::min(nextStatus, nextLevel));
  }
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  engine.StopPlayback(true);
  std::printf("%d status ticks and %d level ticks over %.1f s of playback: %.1f ms of CPU\n", statusTicks,
              levelTicks, wall, tickCpu * 1000);
  std::printf("share of one core: %.3f %% (goal: under 1 %%)\n", 100 * tickCpu / wall);
  return 0;
}
