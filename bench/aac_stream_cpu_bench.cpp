// An AAC station and an HLS station against the same AAC audio from a file,
// all in real time on the `null` output: the CPU share of one core that the
// process uses for each. The stations are the tests' radio server on
// loopback: the ADTS file sent at its bit rate with ICY metadata, and TS
// segments of the same audio behind a live HLS playlist. The floor is the
// file measured in the same run. Target: at most 1.5.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "audio/linux_audio_library.h"
#include "audio_bench_fixture.h"
#include "bench_support.h"
#include "real_time_play.h"
#include "support/radio_server_process.h"

namespace {

using namespace tarvo::audio;

constexpr auto kPlayTime = std::chrono::seconds(8);

bool Ffmpeg(const std::string& input, const std::string& options, const std::string& output) {
  const std::string command = "ffmpeg -nostdin -y -loglevel error -i '" + input + "' " + options + " '" + output + "'";
  return std::system(command.c_str()) == 0;
}

tarvo::bench::RealTimePlay PlayStation(LinuxAudioLibrary& library, const std::string& url) {
  const AudioHandle station = library.StreamCreateURL(url, kFlagStreamMetadata);
  return station == 0 ? tarvo::bench::RealTimePlay{} : tarvo::bench::PlayInRealTime(library, station, kPlayTime);
}

}  // namespace

int main() {
  tarvo::bench::ScratchFolder folder;
  const std::string mp3 = folder.Path() + "song.mp3";
  const std::string aac = folder.Path() + "song.aac";
  const std::string hls = folder.Path() + "hls";
  std::filesystem::create_directory(hls);
  if (!tarvo::bench::MakeMp3(mp3, 30) || !Ffmpeg(mp3, "-c:a aac -b:a 128k", aac) ||
      !Ffmpeg(aac, "-c:a copy -f hls -hls_time 2 -hls_list_size 0 -hls_segment_filename '" + hls + "/seg%d.ts'",
              hls + "/media.m3u8")) {
    std::fprintf(stderr, "aac_stream_cpu_bench: can't make the audio (are lame and ffmpeg installed?)\n");
    return 1;
  }
  tarvo::testing::RadioServerProcess server({"--aac", aac, "--hls", hls});
  if (server.port() == 0) {
    std::fprintf(stderr, "aac_stream_cpu_bench: the radio server did not start (is python3 installed?)\n");
    return 1;
  }

  LinuxAudioLibrary library(ParseOutputChoice("null"));
  if (!library.Init(1)) return 1;
  const tarvo::bench::RealTimePlay file = tarvo::bench::PlayInRealTime(library, library.StreamCreateFile(aac), kPlayTime);
  const tarvo::bench::RealTimePlay station = PlayStation(library, server.Url("/radio.aac"));
  const tarvo::bench::RealTimePlay live = PlayStation(library, server.Url("/hls/master.m3u8"));
  library.Free();
  if (!file.playedThrough || !station.playedThrough || !live.playedThrough) {
    std::fprintf(stderr, "aac_stream_cpu_bench: the file, the AAC or the HLS station stopped early or did not open\n");
    return 1;
  }
  std::printf("AAC file on null:     %.3f %% of one core (floor)\n", file.cpuPercent);
  std::printf("AAC station on null:  %.3f %% of one core\n", station.cpuPercent);
  std::printf("HLS station on null:  %.3f %% of one core\n", live.cpuPercent);
  std::printf("ratio AAC station: %.2f (target at most 1.5)\n", station.cpuPercent / file.cpuPercent);
  std::printf("ratio HLS station: %.2f (target at most 1.5)\n", live.cpuPercent / file.cpuPercent);
  return 0;
}
