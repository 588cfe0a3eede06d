// A pulseaudio server of a test's own, with two null sinks ("tarvo_null",
// described "Tarvo Null", and "tarvo_second", described "Second") in a
// private runtime folder, and the child processes (the server, parec) that
// tests start and end by their id.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace tarvo::testing {

// Whether `name` is an executable in one of the PATH folders.
bool ProgramInstalled(const std::string& name);
std::string ReadText(const std::string& path);

// A child process with `extraEnvironment` added, its output and errors in
// the file `output`; ended (SIGTERM, then waited for) when the object goes.
class Child {
 public:
  Child(std::vector<std::string> arguments, const std::vector<std::string>& extraEnvironment,
        const std::string& output);
  ~Child() { Stop(); }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  bool Started() const { return pid_ > 0; }
  void Stop();

 private:
  pid_t pid_ = -1;
};

// Root needs -n and the modules named; the runtime folder and home are
// private, so nothing of the machine's own sound set-up is touched.
class PulseServer {
 public:
  PulseServer();

  bool Ready() const { return ready_; }
  // The libpulse server address, for the "pulse:ADDRESS" output.
  std::string Address() const { return "unix:" + Socket(); }
  std::string Log() const { return ReadText(folder_.Path() + "pa.log"); }
  const std::string& Folder() const { return folder_.Path(); }

 private:
  std::string Socket() const { return folder_.Path() + "native"; }

  TempFolder folder_;
  Child server_;
  bool ready_ = false;
};

// The parec command that records what reaches `sink` as raw 16-bit stereo
// at 44100 Hz on its output (a Child's output file).
std::vector<std::string> MonitorRecorder(const PulseServer& server, const std::string& sink);

}  // namespace tarvo::testing
