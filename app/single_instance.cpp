#include "app/single_instance.h"

#include <unistd.h>

#include <QSocketNotifier>
#include <algorithm>

#include "platform/instance_socket.h"

namespace {

constexpr int kTimeoutMs = 2000;
// A request is one path or address; a peer that sends more without a line
// end is cut off rather than filling memory.
constexpr std::size_t kMaxRequestBytes = 1 << 20;

// One line per request: a word, a tab and the argument's bytes.
std::string Encode(InstanceRequest request, const std::string& argument) {
  const char* word = "";
  switch (request) {
    case InstanceRequest::Open:
      word = "open";
      break;
    case InstanceRequest::BringToFront:
      word = "front";
      break;
    case InstanceRequest::Quit:
      word = "quit";
      break;
  }
  std::string line = std::string(word) + '\t' + argument;
  std::replace(line.begin(), line.end(), '\n', ' ');
  return line + '\n';
}

bool Decode(std::string_view line, InstanceRequest& request, std::string& argument) {
  const std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return false;
  const std::string_view word = line.substr(0, tab);
  const std::string_view text = line.substr(tab + 1);
  argument = text;
  if (word == "open") {
    request = InstanceRequest::Open;
  } else if (word == "front") {
    request = InstanceRequest::BringToFront;
  } else if (word == "quit") {
    request = InstanceRequest::Quit;
  } else {
    return false;
  }
  return true;
}

}  // namespace

SingleInstance::SingleInstance(const QString& homeFolder, QObject* parent)
    : QObject(parent),
      socketPaths_(tarvo::InstanceSocketPaths(homeFolder.toStdString(),
                                              qEnvironmentVariable("XDG_RUNTIME_DIR").toStdString())) {}

SingleInstance::~SingleInstance() {
  for (const Listener& listener : listeners_) {
    // The notifier goes before the descriptor it watches.
    delete listener.notifier;
    close(listener.fd);
    unlink(listener.path.c_str());
  }
}

void SingleInstance::Handle(InstanceRequest request, const std::string& argument) {
  if (handler_) handler_(request, argument);
}

bool SingleInstance::SendToRunning(InstanceRequest request, const std::string& argument) const {
  const std::string message = Encode(request, argument);
  for (const std::string& path : socketPaths_) {
    if (tarvo::SendToInstanceSocket(path, message, kTimeoutMs)) return true;
  }
  return false;
}

bool SingleInstance::Listen(Handler handler) {
  handler_ = std::move(handler);
  // Also where a start without a runtime folder looks; that one may fail.
  for (const std::string& path : socketPaths_) {
    const int fd = tarvo::ListenOnInstanceSocket(path);
    if (fd < 0) {
      if (listeners_.empty()) return false;
      continue;
    }
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, fd] { AcceptWaiting(fd); });
    listeners_.push_back({path, fd, notifier});
  }
  return !listeners_.empty();
}

void SingleInstance::AcceptWaiting(int listener) {
  for (int connection = tarvo::AcceptInstanceConnection(listener); connection >= 0;
       connection = tarvo::AcceptInstanceConnection(listener)) {
    new InstanceConnection(connection, this);
  }
}

InstanceConnection::InstanceConnection(int fd, SingleInstance* instance)
    : QObject(instance), fd_(fd), instance_(instance), notifier_(new QSocketNotifier(fd, QSocketNotifier::Read, this)) {
  connect(notifier_, &QSocketNotifier::activated, this, [this] { Receive(); });
}

InstanceConnection::~InstanceConnection() {
  delete notifier_;
  if (fd_ >= 0) close(fd_);
}

// Takes the first line; the connection is then closed, which tells the sender
// its request arrived, before the request runs. A connection that ends
// without a line is closed too.
void InstanceConnection::Receive() {
  const bool open = tarvo::ReceiveFromInstanceConnection(fd_, received_);
  const std::size_t lineEnd = received_.find('\n');
  if (lineEnd == std::string::npos && open && received_.size() <= kMaxRequestBytes) return;
  notifier_->setEnabled(false);
  close(fd_);
  fd_ = -1;
  deleteLater();
  InstanceRequest request;
  std::string argument;
  if (lineEnd != std::string::npos && Decode(std::string_view(received_).substr(0, lineEnd), request, argument)) {
    instance_->Handle(request, argument);
  }
}
