// Decoding a 10-minute MP3 through an output stream into `wav-fast`, against
// the floor of a bare libmpg123 decoding loop over the same file in the same
// run. Both count the CPU time of every thread of the process (the layer
// decodes on its audio thread and writes the WAV file). Best of three each.
// `mpg123 -t` on the same file, when installed, is shown as a second floor.
// Target: a ratio of at most 1.15. The player's engine playing the file as an
// entry to its end (with its tail rules and the status tick) is measured the
// same way; target: at most 1.3.
#include <mpg123.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "audio_bench_fixture.h"
#include "bench_support.h"
#include "core.h"
#include "layer_decode.h"
#include "playback/engine.h"
#include "playback/sequencing.h"
#include "playlist/model.h"

namespace {

constexpr int kSeconds = 600;
constexpr int kRuns = 3;

// What a program would do with libmpg123 alone: gapless 16-bit decoding
// into a buffer, nothing else.
double RawDecodeCpu(const std::string& path, std::int64_t& bytes) {
  const double start = tarvo::bench::ProcessCpuSeconds();
  int status = 0;
  mpg123_handle* handle = mpg123_new(nullptr, &status);
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0);
  mpg123_format_none(handle);
  const long* rates = nullptr;
  std::size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (std::size_t i = 0; i < rateCount; ++i) {
    mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  }
  bytes = 0;
  std::vector<unsigned char> buffer(1 << 16);
  if (mpg123_open(handle, path.c_str()) == MPG123_OK) {
    for (;;) {
      std::size_t done = 0;
      status = mpg123_read(handle, buffer.data(), buffer.size(), &done);
      bytes += static_cast<std::int64_t>(done);
      if (status != MPG123_OK && status != MPG123_NEW_FORMAT) break;
    }
    mpg123_close(handle);
  }
  mpg123_delete(handle);
  return tarvo::bench::ProcessCpuSeconds() - start;
}

// CPU seconds of `mpg123 -t` (decode, no output) on the file; negative when
// the program is not there.
double Mpg123ToolCpu(const std::string& path) {
  auto childrenCpu = [] {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  };
  const double start = childrenCpu();
  if (std::system(("mpg123 -t -q '" + path + "' 2>/dev/null").c_str()) != 0) return -1;
  return childrenCpu() - start;
}

// The whole engine: the file played as the only entry into `wav` until the
// engine has released the device at its end; `bytes` is the size of what
// was written.
double EngineDecodeCpu(const std::string& path, const std::string& folder, std::int64_t& bytes) {
  const std::string wav = folder + "engine.wav";
  const double start = tarvo::bench::ProcessCpuSeconds();
  {
    tarvo::bench::QuietUi ui;
    tarvo::audio::LinuxAudioLibrary library(tarvo::audio::ParseOutputChoice("wav-fast:" + wav));
    tarvo::bench::LoopThread statusThread;
    tarvo::PlaybackEngine engine(library, statusThread);
    tarvo::Core core(ui, engine, folder);
    engine.Attach(core);
    // Stops after the one entry instead of repeating it.
    core.settings.playMode = tarvo::kPlayListMode;
    core.playlist.PlaylistEntries = {path};
    tarvo::UpdateListView(core, false, false);
    engine.PlayEntry(0);
    // The status tick runs as the window would run it.
    while (engine.DeviceOpen()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(33));
      engine.StatusTick();
    }
  }
  const double used = tarvo::bench::ProcessCpuSeconds() - start;
  std::error_code error;
  bytes = static_cast<std::int64_t>(std::filesystem::file_size(wav, error));
  std::remove(wav.c_str());
  return used;
}

}  // namespace

int main() {
  tarvo::bench::ScratchFolder folder;
  const std::string mp3 = folder.Path() + "ten_minutes.mp3";
  std::printf("making a %d-second MP3 with lame...\n", kSeconds);
  std::fflush(stdout);
  if (!tarvo::bench::MakeMp3(mp3, kSeconds)) {
    std::fprintf(stderr, "audio_decode_bench: can't make the MP3 (is lame installed?)\n");
    return 1;
  }
  double raw = 1e300;
  double layer = 1e300;
  double tool = 1e300;
  double engine = 1e300;
  std::int64_t rawBytes = 0;
  std::int64_t layerBytes = 0;
  std::int64_t engineBytes = 0;
  for (int run = 0; run < kRuns; ++run) {
    raw = std::min(raw, RawDecodeCpu(mp3, rawBytes));
    layer = std::min(layer, tarvo::bench::LayerDecodeCpu(mp3, folder.Path() + "out.wav", layerBytes));
    tool = std::min(tool, Mpg123ToolCpu(mp3));
    engine = std::min(engine, EngineDecodeCpu(mp3, folder.Path(), engineBytes));
  }
  if (layerBytes != rawBytes) {
    std::fprintf(stderr, "audio_decode_bench: the layer delivered %lld bytes, libmpg123 %lld\n",
                 static_cast<long long>(layerBytes), static_cast<long long>(rawBytes));
    return 1;
  }
  std::printf("raw libmpg123 decode loop:       %.3f s CPU\n", raw);
  if (tool > 0) std::printf("mpg123 -t:                       %.3f s CPU\n", tool);
  std::printf("output stream to wav-fast:       %.3f s CPU\n", layer);
  std::printf("the engine playing it to wav-fast: %.3f s CPU (%lld bytes written)\n", engine,
              static_cast<long long>(engineBytes));
  std::printf("ratio: %.3f (target <= 1.15)\n", layer / raw);
  std::printf("engine ratio: %.3f (target <= 1.3)\n", engine / raw);
  if (tool > 0) std::printf("ratio against mpg123 -t: %.3f\n", layer / tool);
  return 0;
}
