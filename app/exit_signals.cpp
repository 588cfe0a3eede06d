#include "app/exit_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <array>
#include <csignal>
#include <cerrno>

namespace {

constexpr std::array<int, 3> kExitSignals{SIGTERM, SIGHUP, SIGINT};

// Both ends of the pipe; the handler sees only the write end.
int signalPipe[2] = {-1, -1};

extern "C" void WriteSignalByte(int) {
  const int savedErrno = errno;
  const char byte = 1;
  // A full pipe already holds a request; the byte may be dropped.
  [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
  errno = savedErrno;
}

void SetHandler(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (const int signal : kExitSignals) sigaction(signal, &action, nullptr);
}

}  // namespace

ExitSignals::ExitSignals(std::function<void()> requestExit, QObject* parent)
    : QObject(parent), requestExit_(std::move(requestExit)) {
  if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { Take(); });
  SetHandler(WriteSignalByte);
}

ExitSignals::~ExitSignals() {
  if (!notifier_) return;
  SetHandler(SIG_DFL);
  delete notifier_;
  close(signalPipe[0]);
  close(signalPipe[1]);
  signalPipe[0] = signalPipe[1] = -1;
}

void ExitSignals::Take() {
  char bytes[64];
  while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
  }
  if (requestExit_) requestExit_();
}
