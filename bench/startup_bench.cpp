// Start-up with a 100,000-entry "Playlist.txt", from launch to the first
// top-level window mapped on the X server, against an empty Qt window
// measured the same way; also the resident memory of both. A window with only
// a menu bar is timed as well, as a reference for what a menu alone costs.
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
#include <string>
#include <utility>
#include <vector>

#include "bench_support.h"

namespace {

struct Launch {
  double mapMs = 0;
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

// Starts `program`, waits for its first mapped top-level window, then lets it
// settle for a moment, reads its memory and ends it.
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
  usleep(300 * 1000);
  launch.residentKb = ResidentKb(child);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  XSelectInput(display, DefaultRootWindow(display), NoEventMask);
  return launch;
}

struct Program {
  explicit Program(std::string program) : path(std::move(program)) {}

  std::string path;
  std::vector<double> mapMs;
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
void TimeInTurns(Display* display, int rounds, std::vector<Program*> programs,
                 const std::vector<std::string>& environment) {
  for (int round = 0; round < rounds; ++round) {
    for (Program* program : programs) {
      const Launch launch = TimeFirstMap(display, program->path, environment);
      program->mapMs.push_back(launch.mapMs);
      program->residentKb = launch.residentKb;
    }
  }
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
  tarvo::bench::ScratchFolder home;
  {
    std::ofstream playlist(home.Path() + "Playlist.txt", std::ios::binary);
    for (int i = 0; i < 100000; ++i) {
      playlist << "/home/user/Music/Artist " << i / 1000 << "/Album " << i / 10 << "/" << i << " Title.mp3\r\n";
    }
  }
  const std::vector<std::string> environment = {"TARVO_HOME=" + home.Path(), "TARVO_AUDIO_OUTPUT=null"};
  Program tarvo{argv[1]};
  Program empty{argv[2]};
  Program menu{argv[3]};
  TimeInTurns(display, 15, {&empty, &tarvo, &menu}, environment);
  std::printf("mapped after, best (median) of 15 launches:\n");
  std::printf("  empty Qt window: %.1f (%.1f) ms, %ld KiB resident\n", empty.Best(), empty.Median(), empty.residentKb);
  std::printf("  Tarvo with 100,000 entries: %.1f (%.1f) ms, %ld KiB resident\n", tarvo.Best(), tarvo.Median(),
              tarvo.residentKb);
  std::printf("  a Qt window with only Tarvo's menu titles, for reference: %.1f (%.1f) ms\n", menu.Best(),
              menu.Median());
  std::printf("ratio: %.2f (%.2f) (goal: at most 1.50, and under 500 ms)\n", tarvo.Best() / empty.Best(),
              tarvo.Median() / empty.Median());
  std::printf("menu titles only: %.2f (%.2f)\n", menu.Best() / empty.Best(), menu.Median() / empty.Median());
  std::printf("extra memory: %.1f MiB (goal: under 30 MiB)\n", (tarvo.residentKb - empty.residentKb) / 1024.0);
  XCloseDisplay(display);
  return 0;
}
