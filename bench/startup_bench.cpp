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

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
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
  std::string path;
  Launch best{1e300, 0};
};

// The programs take turns, so that a slow spell of the machine hits all of
// them alike; each keeps its fastest launch.
void TimeInTurns(Display* display, int rounds, std::vector<Program*> programs,
                 const std::vector<std::string>& environment) {
  for (int round = 0; round < rounds; ++round) {
    for (Program* program : programs) {
      const Launch launch = TimeFirstMap(display, program->path, environment);
      if (launch.mapMs < program->best.mapMs) program->best.mapMs = launch.mapMs;
      program->best.residentKb = launch.residentKb;
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
  TimeInTurns(display, 10, {&empty, &tarvo, &menu}, environment);
  std::printf("empty Qt window: mapped after %.1f ms, %ld KiB resident\n", empty.best.mapMs, empty.best.residentKb);
  std::printf("Tarvo with 100,000 entries: mapped after %.1f ms, %ld KiB resident\n", tarvo.best.mapMs,
              tarvo.best.residentKb);
  std::printf("ratio: %.2f (goal: at most 1.50, and under 500 ms)\n", tarvo.best.mapMs / empty.best.mapMs);
  std::printf("extra memory: %.1f MiB (goal: under 30 MiB)\n", (tarvo.best.residentKb - empty.best.residentKb) / 1024.0);
  std::printf("for reference, a Qt window with only Tarvo's menu titles: %.1f ms, ratio %.2f\n", menu.best.mapMs,
              menu.best.mapMs / empty.best.mapMs);
  XCloseDisplay(display);
  return 0;
}
