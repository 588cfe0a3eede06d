#include "support/pulse_server.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

extern char** environ;

namespace tarvo::testing {

using namespace std::chrono_literals;

bool ProgramInstalled(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  for (std::size_t start = 0; start <= folders.size();) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    if (access((folders.substr(start, end - start) + "/" + name).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Child::Child(std::vector<std::string> arguments, const std::vector<std::string>& extraEnvironment,
             const std::string& output) {
  std::vector<std::string> environment = extraEnvironment;
  for (char** variable = environ; *variable; ++variable) environment.emplace_back(*variable);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& variable : environment) envp.push_back(variable.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  if (posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
}

void Child::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

PulseServer::PulseServer()
    : server_({"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=10", "--use-pid-file=no",
               "-L", "module-null-sink sink_name=tarvo_null sink_properties='device.description=\"Tarvo Null\"'",
               "-L", "module-null-sink sink_name=tarvo_second sink_properties=device.description=Second",
               "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + Socket()},
              {"XDG_RUNTIME_DIR=" + folder_.Path(), "HOME=" + folder_.Path()}, folder_.Path() + "pa.log") {
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  struct stat info {};
  while (server_.Started() && stat(Socket().c_str(), &info) != 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(10ms);
  }
  ready_ = server_.Started() && stat(Socket().c_str(), &info) == 0;
}

std::vector<std::string> MonitorRecorder(const PulseServer& server, const std::string& sink) {
  return {"parec", "--server=" + server.Address(), "--device=" + sink + ".monitor", "--raw",
          "--format=s16le", "--rate=44100", "--channels=2", "--latency-msec=20"};
}

}  // namespace tarvo::testing
