// Real-time playback of a decoding channel through an output on the
// library's device, as the audio benchmarks measure it.
#pragma once

#include <chrono>
#include <thread>

#include "audio/linux_audio_library.h"
#include "audio_bench_fixture.h"

namespace tarvo::bench {

struct RealTimePlay {
  // Of one core, over the measured time; the whole process counts.
  double cpuPercent = 0;
  double heardSeconds = 0;
  // False when the output stopped before the time was up.
  bool playedThrough = false;
};

// Plays `decoder` for `time`, measured from when the buffer is full (its
// first seconds are decoded at once, as any player does at a start); frees
// the decoder and its output afterwards.
inline RealTimePlay PlayInRealTime(audio::LinuxAudioLibrary& library, audio::AudioHandle decoder,
                                   std::chrono::seconds time) {
  using namespace tarvo::audio;
  ChannelInfo info;
  library.ChannelGetInfo(decoder, info);
  const AudioHandle stream = library.StreamCreate(
      static_cast<int>(info.rate), static_cast<int>(info.channels), [&](AudioHandle, void* buffer, std::uint32_t wanted) {
        const std::uint32_t got = library.ChannelGetData(decoder, buffer, wanted);
        if (got == kDataError) return kStreamEnd;
        return library.ChannelIsActive(decoder) == ChannelState::Stopped ? got | kStreamEnd : got;
      });
  library.StreamPlay(stream);
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const double cpuStart = ProcessCpuSeconds();
  const auto wallStart = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(time);
  const double cpu = ProcessCpuSeconds() - cpuStart;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  RealTimePlay play;
  play.cpuPercent = 100.0 * cpu / wall;
  play.playedThrough = library.ChannelIsActive(stream) == ChannelState::Playing;
  play.heardSeconds = library.ChannelBytes2Seconds(stream, library.ChannelGetPosition(stream));
  library.ChannelStop(stream);
  library.StreamFree(stream);
  library.StreamFree(decoder);
  return play;
}

}  // namespace tarvo::bench
