// The loopback test server (tests/support/radio_server.py) as a child
// process on a free port, stopped by its PID. Header only: the script's
// folder comes from the test program's TARVO_TEST_SOURCE_DIR.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tarvo::testing {

class RadioServerProcess {
 public:
  // `arguments` are the script's options, for example {"--mp3", path}.
  explicit RadioServerProcess(const std::vector<std::string>& arguments) {
    int out[2];
    if (pipe(out) != 0) return;
    const std::string script = std::string(TARVO_TEST_SOURCE_DIR) + "/support/radio_server.py";
    std::vector<char*> argv{const_cast<char*>("python3"), const_cast<char*>(script.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      execvp("python3", argv.data());
      _exit(127);
    }
    close(out[1]);
    FILE* reader = fdopen(out[0], "r");
    if (fscanf(reader, "%d", &port_) != 1) port_ = 0;
    fclose(reader);
  }
  ~RadioServerProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  RadioServerProcess(const RadioServerProcess&) = delete;
  RadioServerProcess& operator=(const RadioServerProcess&) = delete;

  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  int port() const { return port_; }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

}  // namespace tarvo::testing
