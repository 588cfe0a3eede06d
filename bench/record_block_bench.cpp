// The audio thread's longest block under a recording: an MP3 played in real
// time on the `null` output with the recording's tap appending every block
// to "tarvo0.pcm", against the same play without the tap (the floor). A
// block's time runs from the stream procedure's start to the end of the
// hooks, so it holds the decode and, under a recording, the file append.
// Target: the longest block stays far below one block's length (100 ms),
// the append adding at most one disk write.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "audio/linux_audio_library.h"
#include "audio_bench_fixture.h"
#include "bench_support.h"
#include "radio/record_tap.h"

namespace {

using namespace tarvo::audio;
using Clock = std::chrono::steady_clock;

constexpr auto kPlayTime = std::chrono::seconds(8);

struct BlockTimes {
  double longestMs = 0;
  double averageMs = 0;
  bool playedThrough = false;
};

// Plays `mp3` for kPlayTime on `library`'s device; with `tap` every block is
// also appended by it.
BlockTimes PlayAndTime(LinuxAudioLibrary& library, const std::string& mp3, tarvo::RecordTap* tap) {
  const AudioHandle decoder = library.StreamCreateFile(mp3);
  ChannelInfo info;
  library.ChannelGetInfo(decoder, info);
  Clock::time_point blockStart;
  Clock::duration longest{};
  Clock::duration total{};
  long blocks = 0;
  const auto decode = [&](AudioHandle, void* buffer, std::uint32_t wanted) {
    blockStart = Clock::now();
    const std::uint32_t got = library.ChannelGetData(decoder, buffer, wanted);
    return got == kDataError ? kStreamEnd : got;
  };
  const AudioHandle stream =
      library.StreamCreate(static_cast<int>(info.rate), static_cast<int>(info.channels), decode);
  // Runs last of the hooks: the block is done when it returns.
  library.ChannelSetDSP(
      stream,
      [&](DspHandle, AudioHandle, void* buffer, std::uint32_t bytes) {
        if (tap) tap->Append(buffer, bytes);
        const Clock::duration took = Clock::now() - blockStart;
        longest = std::max(longest, took);
        total += took;
        ++blocks;
      },
      -1);
  library.StreamPlay(stream);
  std::this_thread::sleep_for(kPlayTime);
  BlockTimes times;
  times.playedThrough = library.ChannelIsActive(stream) == ChannelState::Playing;
  library.ChannelStop(stream);
  library.StreamFree(stream);
  library.StreamFree(decoder);
  times.longestMs = std::chrono::duration<double, std::milli>(longest).count();
  times.averageMs = blocks > 0 ? std::chrono::duration<double, std::milli>(total).count() / blocks : 0;
  return times;
}

}  // namespace

int main() {
  tarvo::bench::ScratchFolder folder;
  const std::string mp3 = folder.Path() + "song.mp3";
  if (!tarvo::bench::MakeMp3(mp3, 30)) {
    std::fprintf(stderr, "record_block_bench: can't make the MP3 (is lame installed?)\n");
    return 1;
  }
  const int temps = tarvo::OpenRecordTempFolder(tarvo::RecordTempFolderUnder(folder.Path()));
  if (temps < 0) return 1;
  tarvo::RecordTap tap;
  tap.Begin(temps, 0, tarvo::kWavDataLimit, 4, nullptr, 0);
  tap.SetRecording(true);

  LinuxAudioLibrary library(ParseOutputChoice("null"));
  if (!library.Init(1)) return 1;
  const BlockTimes floor = PlayAndTime(library, mp3, nullptr);
  const BlockTimes recorded = PlayAndTime(library, mp3, &tap);
  library.Free();
  tap.CloseFile();
  close(temps);
  if (!floor.playedThrough || !recorded.playedThrough) {
    std::fprintf(stderr, "record_block_bench: the play stopped early\n");
    return 1;
  }
  std::printf("block without recording: longest %.3f ms, average %.3f ms (floor)\n", floor.longestMs, floor.averageMs);
  std::printf("block under a recording: longest %.3f ms, average %.3f ms\n", recorded.longestMs, recorded.averageMs);
  std::printf("ratio of the longest: %.2f (target: far below one block of 100 ms)\n",
              recorded.longestMs / floor.longestMs);
  return 0;
}
