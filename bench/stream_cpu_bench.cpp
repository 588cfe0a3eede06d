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

#include "audio/linux_audio_library.h"
#include "audio_bench_fixture.h"
#include "bench_support.h"
#include "real_time_play.h"

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
  const tarvo::bench::RealTimePlay file = tarvo::bench::PlayInRealTime(library, library.StreamCreateFile(mp3), kPlayTime);
  const std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/radio.mp3";
  const AudioHandle station = library.StreamCreateURL(url, kFlagStreamMetadata);
  const tarvo::bench::RealTimePlay stream =
      station == 0 ? tarvo::bench::RealTimePlay{} : tarvo::bench::PlayInRealTime(library, station, kPlayTime);
  library.Free();
  if (!file.playedThrough || !stream.playedThrough) {
    std::fprintf(stderr, "stream_cpu_bench: %s stopped early or did not open\n", file.playedThrough ? "the station" : "the file");
    return 1;
  }
  const double fileShare = file.cpuPercent;
  const double stationShare = stream.cpuPercent;

  std::printf("file on null:     %.3f %% of one core (floor)\n", fileShare);
  std::printf("station on null:  %.3f %% of one core\n", stationShare);
  std::printf("ratio: %.2f (target about 1, the download on top)\n", stationShare / fileShare);
  return 0;
}
