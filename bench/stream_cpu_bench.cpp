// A station against the same MP3 from a file, both in real time on the
// `null` output: the CPU share of one core that the process uses for each
// (decoding, the audio thread, the paced output; for the station also the
// network thread and the metadata removal). The station is the tests' radio
// server on loopback, sending the file at its bit rate with ICY metadata.
// The floor is the file measured in the same run. Target: a ratio of about
// 1 (the download's own share on top).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "audio_bench_fixture.h"
#include "bench_support.h"
#include "playback/audio/linux_audio_library.h"

namespace {

using namespace tarvo::audio;

constexpr auto kPlayTime = std::chrono::seconds(8);

// The radio server as a child process; its first output line is its port.
class RadioServer {
 public:
  explicit RadioServer(const std::string& mp3) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      execlp("python3", "python3", TARVO_RADIO_SERVER, "--mp3", mp3.c_str(), "--ogg", mp3.c_str(), nullptr);
      _exit(127);
    }
    close(out[1]);
    FILE* reader = fdopen(out[0], "r");
    if (!reader || std::fscanf(reader, "%d", &port_) != 1) port_ = 0;
    if (reader) std::fclose(reader);
  }
  ~RadioServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  RadioServer(const RadioServer&) = delete;
  RadioServer& operator=(const RadioServer&) = delete;
  int Port() const { return port_; }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

// Plays `decoder` through an output on the library's device for kPlayTime
// once the buffer is full; the CPU share, or a negative value when the
// output stopped early.
double PlayedShare(LinuxAudioLibrary& library, AudioHandle decoder) {
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
  const double cpuStart = tarvo::bench::ProcessCpuSeconds();
  const auto wallStart = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(kPlayTime);
  const double cpu = tarvo::bench::ProcessCpuSeconds() - cpuStart;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  const bool playing = library.ChannelIsActive(stream) == ChannelState::Playing;
  library.ChannelStop(stream);
  library.StreamFree(stream);
  library.StreamFree(decoder);
  return playing ? 100.0 * cpu / wall : -1.0;
}

}  // namespace

int main() {
  tarvo::bench::ScratchFolder folder;
  const std::string mp3 = folder.Path() + "song.mp3";
  if (!tarvo::bench::MakeMp3(mp3, 30)) {
    std::fprintf(stderr, "stream_cpu_bench: can't make the MP3 (is lame installed?)\n");
    return 1;
  }
  RadioServer server(mp3);
  if (server.Port() == 0) {
    std::fprintf(stderr, "stream_cpu_bench: the radio server did not start (is python3 installed?)\n");
    return 1;
  }

  LinuxAudioLibrary library(ParseOutputChoice("null"));
  if (!library.Init(1)) return 1;
  const double fileShare = PlayedShare(library, library.StreamCreateFile(mp3));
  const std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/radio.mp3";
  const AudioHandle station = library.StreamCreateURL(url, kFlagStreamMetadata);
  const double stationShare = station == 0 ? -1.0 : PlayedShare(library, station);
  library.Free();
  if (fileShare <= 0 || stationShare <= 0) {
    std::fprintf(stderr, "stream_cpu_bench: %s stopped early or did not open\n", fileShare <= 0 ? "the file" : "the station");
    return 1;
  }

  std::printf("file on null:     %.3f %% of one core (floor)\n", fileShare);
  std::printf("station on null:  %.3f %% of one core\n", stationShare);
  std::printf("ratio: %.2f (target about 1, the download on top)\n", stationShare / fileShare);
  return 0;
}
