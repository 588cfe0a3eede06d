// Real-time playback of an MP3 on the `null` output for a few seconds: the
// CPU share of one core that the whole audio path uses (decoding in the
// stream procedure, the audio thread, the clock-paced output), measured as
// the process's CPU time over the wall time. The floor, measured in the
// same run, is the CPU the same process uses while idle for as long.
// Target: under 2 % of one core.
#include <chrono>
#include <cstdio>
#include <thread>

#include "audio/linux_audio_library.h"
#include "audio_bench_fixture.h"
#include "bench_support.h"
#include "real_time_play.h"

namespace {

using namespace tarvo::audio;

constexpr auto kPlayTime = std::chrono::seconds(5);

}  // namespace

int main() {
  tarvo::bench::ScratchFolder folder;
  const std::string mp3 = folder.Path() + "song.mp3";
  if (!tarvo::bench::MakeMp3(mp3, 10)) {
    std::fprintf(stderr, "audio_null_cpu_bench: can't make the MP3 (is lame installed?)\n");
    return 1;
  }

  double idleCpu = tarvo::bench::ProcessCpuSeconds();
  std::this_thread::sleep_for(kPlayTime);
  idleCpu = tarvo::bench::ProcessCpuSeconds() - idleCpu;

  LinuxAudioLibrary library(ParseOutputChoice("null"));
  if (!library.Init(1)) return 1;
  const tarvo::bench::RealTimePlay play = tarvo::bench::PlayInRealTime(library, library.StreamCreateFile(mp3), kPlayTime);
  library.Free();
  if (!play.playedThrough) {
    std::fprintf(stderr, "audio_null_cpu_bench: the stream stopped early\n");
    return 1;
  }

  const double wall = std::chrono::duration<double>(kPlayTime).count();
  const double share = play.cpuPercent;
  std::printf("idle process:              %.3f %% of one core (floor)\n", 100.0 * idleCpu / wall);
  std::printf("real-time play on null:    %.3f %% of one core (%.1f s heard)\n", share, play.heardSeconds);
  std::printf("share: %.3f %% (target < 2 %%)\n", share);
  return 0;
}
