// Start-up with a 100,000-entry and a 1,000,000-entry "Playlist.txt", from
// launch to the first top-level window mapped on the X server, against a Qt
// window with only Tarvo's seven menu titles measured the same way (the
// floor), and an empty Qt window for reference; also the resident memory of
// each and the processor time each spends in the moment after its map (a
// program that starts well is idle once its window is up).
//
// Needs an X server in DISPLAY (scripts/bench.sh starts Xvfb). The launch
// happens after the root window's SubstructureNotify events are selected, so
// no MapNotify is missed.
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "bench_support.h"

namespace {

struct Launch {
  double mapMs = 0;
  double cpuAfterMapMs = 0;
  long residentKb = 0;
};

long ResidentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return 0;
}

// The processor time of all the process's threads so far (user and system),
// in milliseconds, at the kernel's tick resolution.
double CpuMs(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(stat, text);
  // The fields after the command name, which may hold spaces, start after
  // its closing parenthesis: state is field 3, utime 14, stime 15.
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string skipped;
  for (int field = 3; field < 14; ++field) fields >> skipped;
  long long user = 0;
  long long system = 0;
  fields >> user >> system;
  return static_cast<double>(user + system) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Starts `program`, waits for its first mapped top-level window, then lets it
// settle for a moment, reads its memory and the processor time it spent
// meanwhile, and ends it.
Launch TimeFirstMap(Display* display, const std::string& program, const std::vector<std::string>& environment) {
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, True);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    for (const std::string& variable : environment) putenv(const_cast<char*>(variable.c_str()));
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  Launch launch;
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify && !event.xmap.override_redirect) break;
  }
  launch.mapMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const double cpuAtMap = CpuMs(child);
  usleep(300 * 1000);
  launch.cpuAfterMapMs = CpuMs(child) - cpuAtMap;
  launch.residentKb = ResidentKb(child);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  XSelectInput(display, DefaultRootWindow(display), NoEventMask);
  return launch;
}

struct Program {
  Program(std::string name, std::string program, std::vector<std::string> variables)
      : label(std::move(name)), path(std::move(program)), environment(std::move(variables)) {}

  std::string label;
  std::string path;
  std::vector<std::string> environment;
  std::vector<double> mapMs;
  double cpuAfterMapMs = 0;
  long residentKb = 0;

  double Best() const { return *std::min_element(mapMs.begin(), mapMs.end()); }
  double Median() const {
    std::vector<double> sorted = mapMs;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
  }
};

// The programs take turns, so that a slow spell of the machine hits all of
// them alike.
void TimeInTurns(Display* display, int rounds, const std::vector<Program*>& programs) {
  for (int round = 0; round < rounds; ++round) {
    for (Program* program : programs) {
      const Launch launch = TimeFirstMap(display, program->path, program->environment);
      program->mapMs.push_back(launch.mapMs);
      program->cpuAfterMapMs = std::max(program->cpuAfterMapMs, launch.cpuAfterMapMs);
      program->residentKb = launch.residentKb;
    }
  }
}

// A home folder whose "Playlist.txt" holds `entries` paths.
void WritePlaylist(const std::string& home, int entries) {
  std::ofstream playlist(home + "Playlist.txt", std::ios::binary);
  for (int i = 0; i < entries; ++i) {
    playlist << "/home/user/Music/Artist " << i / 1000 << "/Album " << i / 10 << "/" << i << " Title.mp3\r\n";
  }
}

std::vector<std::string> TarvoEnvironment(const std::string& home) {
  return {"TARVO_HOME=" + home, "TARVO_AUDIO_OUTPUT=null"};
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s TARVO EMPTY_QT_WINDOW MENU_QT_WINDOW\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "no X server in DISPLAY; skipped\n");
    return 0;
  }
  tarvo::bench::ScratchFolder hundredThousandHome;
  tarvo::bench::ScratchFolder millionHome;
  WritePlaylist(hundredThousandHome.Path(), 100000);
  WritePlaylist(millionHome.Path(), 1000000);
  const std::vector<std::string> windowEnvironment = TarvoEnvironment(hundredThousandHome.Path());
  Program empty{"empty Qt window", argv[2], windowEnvironment};
  Program menu{"Qt window with Tarvo's menu titles (floor)", argv[3], windowEnvironment};
  Program tarvo{"Tarvo with 100,000 entries", argv[1], TarvoEnvironment(hundredThousandHome.Path())};
  Program tarvoMillion{"Tarvo with 1,000,000 entries", argv[1], TarvoEnvironment(millionHome.Path())};
  constexpr int kRounds = 7;
  const std::vector<Program*> programs = {&menu, &tarvo, &empty, &tarvoMillion};
  TimeInTurns(display, kRounds, programs);
  std::printf(
      "mapped after, best (median) of %d interleaved launches; resident memory; most CPU in the 300 ms "
      "after the map:\n",
      kRounds);
  for (const Program* program : programs) {
    std::printf("  %s: %.1f (%.1f) ms, %ld KiB, %.0f ms\n", program->label.c_str(), program->Best(), program->Median(),
                program->residentKb, program->cpuAfterMapMs);
  }
  std::printf("ratio to the floor: %.2f (%.2f) (goal: at most 1.15)\n", tarvo.Best() / menu.Best(),
              tarvo.Median() / menu.Median());
  std::printf("1,000,000 against 100,000 entries: %.2f (%.2f) (goal: at most 2.00)\n",
              tarvoMillion.Best() / tarvo.Best(), tarvoMillion.Median() / tarvo.Median());
  std::printf("extra memory over the floor: %.1f MiB (goal: under 30 MiB)\n",
              (tarvo.residentKb - menu.residentKb) / 1024.0);
  std::printf("empty window against the floor, for reference: %.2f (%.2f)\n", empty.Best() / menu.Best(),
              empty.Median() / menu.Median());
  XCloseDisplay(display);
  return 0;
}
