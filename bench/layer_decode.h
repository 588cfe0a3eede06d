// The player's way of decoding a whole file, for the decoding benchmarks: a
// decoding channel read by a stream procedure into an output stream, on the
// output the benchmark chooses (a `wav-fast:` file). Counts the CPU time of
// every thread of the process, since the layer decodes on its audio thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "audio/linux_audio_library.h"
#include "audio_bench_fixture.h"

namespace tarvo::bench {

// CPU seconds spent decoding `path` through an output stream into the WAV
// file `wav`; `bytes` is what the stream delivered. Negative when the layer
// can't start.
inline double LayerDecodeCpu(const std::string& path, const std::string& wav, std::int64_t& bytes) {
  using namespace tarvo::audio;
  const double start = ProcessCpuSeconds();
  LinuxAudioLibrary library(ParseOutputChoice("wav-fast:" + wav));
  if (!library.Init(1)) return -1;
  const AudioHandle decoder = library.StreamCreateFile(path);
  ChannelInfo info;
  library.ChannelGetInfo(decoder, info);
  std::mutex mutex;
  std::condition_variable ended;
  bool done = false;
  const AudioHandle stream = library.StreamCreate(
      static_cast<int>(info.rate), static_cast<int>(info.channels), [&](AudioHandle, void* buffer, std::uint32_t wanted) {
        const std::uint32_t got = library.ChannelGetData(decoder, buffer, wanted);
        if (got != kDataError && library.ChannelIsActive(decoder) != ChannelState::Stopped) return got;
        std::lock_guard lock(mutex);
        done = true;
        ended.notify_all();
        return (got == kDataError ? 0 : got) | kStreamEnd;
      });
  library.StreamPlay(stream);
  {
    std::unique_lock lock(mutex);
    ended.wait(lock, [&] { return done; });
  }
  while (library.ChannelIsActive(stream) != ChannelState::Stopped) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  bytes = library.ChannelGetPosition(stream);
  library.Free();
  const double used = ProcessCpuSeconds() - start;
  // Each run writes a new file; dropping the old one is not decoding work.
  std::remove(wav.c_str());
  return used;
}

}  // namespace tarvo::bench
