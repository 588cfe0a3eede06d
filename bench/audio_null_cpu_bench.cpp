// Real-time playback of an MP3 on the `null` output for a few seconds: the
// CPU share of one core that the whole audio path uses (decoding in the
// stream procedure, the audio thread, the clock-paced output), measured as
// the process's CPU time over the wall time. The floor, measured in the
// same run, is the CPU the same process uses while idle for as long.
// Target: under 2 % of one core.
#include <chrono>
#include <cstdio>
#include <thread>

#include "audio_bench_fixture.h"
#include "bench_support.h"
#include "playback/audio/linux_audio_library.h"

namespace {

using namespace tarvo::audio;
using Clock = std::chrono::steady_clock;

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
  const AudioHandle decoder = library.StreamCreateFile(mp3);
  ChannelInfo info;
  library.ChannelGetInfo(decoder, info);
  const AudioHandle stream = library.StreamCreate(
      static_cast<int>(info.rate), static_cast<int>(info.channels), [&](AudioHandle, void* buffer, std::uint32_t wanted) {
        const std::uint32_t got = library.ChannelGetData(decoder, buffer, wanted);
        if (got == kDataError) return kStreamEnd;
        return library.ChannelIsActive(decoder) == ChannelState::Stopped ? got | kStreamEnd : got;
      });
  // Measured from when the buffer is full: the first three seconds are
  // decoded at once, as any player does at a start.
  library.StreamPlay(stream);
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const double cpuStart = tarvo::bench::ProcessCpuSeconds();
  const Clock::time_point wallStart = Clock::now();
  std::this_thread::sleep_for(kPlayTime);
  const double cpu = tarvo::bench::ProcessCpuSeconds() - cpuStart;
  const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
  const bool playing = library.ChannelIsActive(stream) == ChannelState::Playing;
  const double heard = library.ChannelBytes2Seconds(stream, library.ChannelGetPosition(stream));
  library.Free();
  if (!playing) {
    std::fprintf(stderr, "audio_null_cpu_bench: the stream stopped early\n");
    return 1;
  }

  const double share = 100.0 * cpu / wall;
  std::printf("idle process:              %.3f %% of one core (floor)\n", 100.0 * idleCpu / wall);
  std::printf("real-time play on null:    %.3f %% of one core (%.1f s heard)\n", share, heard);
  std::printf("share: %.3f %% (target < 2 %%)\n", share);
  return 0;
}
