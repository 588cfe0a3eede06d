#include "platform/instance_socket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/file_descriptor.h"

namespace tarvo {

namespace {

constexpr int kBacklog = 8;

// 64-bit FNV-1a: a short, stable name part for a home folder.
std::uint64_t HashOf(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

// "/home/anna/.config/tarvo/" and "/home/anna/.config/tarvo" are one folder.
std::string_view WithoutTrailingSlashes(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return path;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// False when the path does not fit a socket address.
bool MakeAddress(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

// Waits for `events` on `fd` until `deadline`; false on time-out or error.
bool WaitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd wanted{fd, events, 0};
    const int ready = poll(&wanted, 1, static_cast<int>(left.count()));
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) return false;
  }
}

bool SendAll(int fd, std::string_view message, std::chrono::steady_clock::time_point deadline) {
  while (!message.empty()) {
    if (!WaitFor(fd, POLLOUT, deadline)) return false;
    const ssize_t sent = send(fd, message.data(), message.size(), MSG_NOSIGNAL);
    if (sent < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return false;
    }
    message.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

// Someone accepts connections on `path`.
bool SomeoneListens(const sockaddr_un& address) {
  FileDescriptor probe(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (probe.get() < 0) return false;
  return connect(probe.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

bool Bind(int fd, const sockaddr_un& address) {
  // The socket file is made with the user's rights only.
  const mode_t previous = umask(0077);
  const bool bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  umask(previous);
  return bound;
}

}  // namespace

std::string InstanceSocketPath(const std::string& homeFolder, const std::string& runtimeFolder) {
  const std::string folder(IsFolder(runtimeFolder) ? WithoutTrailingSlashes(runtimeFolder) : "/tmp");
  char name[64];
  std::snprintf(name, sizeof name, "/tarvo-%u-%012llx", static_cast<unsigned>(getuid()),
                static_cast<unsigned long long>(HashOf(WithoutTrailingSlashes(homeFolder)) & 0xFFFFFFFFFFFFULL));
  return folder + name;
}

bool SendToInstanceSocket(const std::string& path, std::string_view message, int timeoutMs) {
  sockaddr_un address;
  if (!MakeAddress(path, address)) return false;
  FileDescriptor connection(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (connection.get() < 0) return false;
  // A connect waits while the instance's backlog is full, but not for ever.
  const timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  setsockopt(connection.get(), SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  if (connect(connection.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return false;
  fcntl(connection.get(), F_SETFL, fcntl(connection.get(), F_GETFL) | O_NONBLOCK);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  if (!SendAll(connection.get(), message, deadline)) return false;
  // The instance closes the connection once it has taken the message; a
  // message delivered to an instance that is slow to close still counts.
  char ignored[64];
  while (WaitFor(connection.get(), POLLIN, deadline)) {
    const ssize_t got = recv(connection.get(), ignored, sizeof ignored, 0);
    if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN)) break;
  }
  return true;
}

int ListenOnInstanceSocket(const std::string& path) {
  sockaddr_un address;
  if (!MakeAddress(path, address)) return -1;
  FileDescriptor listener(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (listener.get() < 0) return -1;
  if (!Bind(listener.get(), address)) {
    if (errno != EADDRINUSE || SomeoneListens(address)) return -1;
    unlink(path.c_str());
    if (!Bind(listener.get(), address)) return -1;
  }
  if (listen(listener.get(), kBacklog) != 0) return -1;
  return listener.Release();
}

int AcceptInstanceConnection(int listener) {
  return accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
}

bool ReceiveFromInstanceConnection(int connection, std::string& received) {
  char buffer[4096];
  for (;;) {
    const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
    if (got > 0) {
      received.append(buffer, static_cast<std::size_t>(got));
      continue;
    }
    if (got == 0) return false;
    if (errno == EINTR) continue;
    return errno == EAGAIN || errno == EWOULDBLOCK;
  }
}

}  // namespace tarvo
