#include "platform/instance_socket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/hash.h"
#include "platform/file_descriptor.h"

namespace tarvo {

namespace {

constexpr int kBacklog = 8;

// "/home/anna/.config/tarvo/" and "/home/anna/.config/tarvo" are one folder.
std::string_view WithoutTrailingSlashes(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return path;
}

// A folder only this user can enter: a real folder (not a link), owned by
// the user, with no rights for group or others.
bool IsPrivateFolder(const std::string& path) {
  struct stat info {};
  return !path.empty() && lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
         (info.st_mode & 0077) == 0;
}

}  // namespace

std::string PrivateSocketFolder(const SocketFolderCandidates& candidates, std::string* refused) {
  const std::string folder(WithoutTrailingSlashes(candidates.runtime));
  if (IsPrivateFolder(folder)) return folder;
  if (IsPrivateFolder(candidates.systemd)) return candidates.systemd;
  const std::string own = candidates.sharedTemp + "/tarvo-" + std::to_string(geteuid());
  mkdir(own.c_str(), 0700);
  if (IsPrivateFolder(own)) return own;
  // Someone else made it first, or opened it to others: the user's own
  // cache folder takes its place, so the one-instance rule still holds.
  if (refused) *refused = own;
  if (candidates.cache.empty()) return std::string();
  const std::string cache(WithoutTrailingSlashes(candidates.cache));
  mkdir(cache.c_str(), 0700);
  const std::string tarvo = cache + "/tarvo";
  mkdir(tarvo.c_str(), 0700);
  return IsPrivateFolder(tarvo) ? tarvo : std::string();
}

namespace {

// The folders of this process's environment; the refused shared folder is
// reported once on standard error.
std::string PrivateSocketFolder(const std::string& runtimeFolder) {
  SocketFolderCandidates candidates;
  candidates.runtime = runtimeFolder;
  candidates.systemd = "/run/user/" + std::to_string(geteuid());
  candidates.sharedTemp = "/tmp";
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  if (cache && cache[0] == '/') {
    candidates.cache = cache;
  } else if (home && home[0] == '/') {
    candidates.cache = std::string(home) + "/.cache";
  }
  std::string refused;
  const std::string folder = tarvo::PrivateSocketFolder(candidates, &refused);
  static bool told = false;
  if (!refused.empty() && !told) {
    told = true;
    std::fprintf(stderr, "tarvo: %s belongs to another user or lets others in; %s\n", refused.c_str(),
                 folder.empty() ? "no second start can reach this instance"
                                : ("the instance listens in " + folder + " instead").c_str());
  }
  return folder;
}

// The user id of the process at the other end of a connected socket.
bool PeerIsThisUser(int fd) {
  ucred peer {};
  socklen_t size = sizeof peer;
  return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == geteuid();
}

// A socket file of this user's: what another user put there is never used.
bool IsOwnSocket(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) && info.st_uid == geteuid();
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

// An instance of this user accepts connections on `path`.
bool OwnInstanceListens(const sockaddr_un& address) {
  FileDescriptor probe(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (probe.get() < 0) return false;
  return connect(probe.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
         PeerIsThisUser(probe.get());
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
  const std::string folder = PrivateSocketFolder(runtimeFolder);
  if (folder.empty()) return std::string();
  char name[64];
  std::snprintf(name, sizeof name, "/tarvo-%u-%012llx", static_cast<unsigned>(geteuid()),
                static_cast<unsigned long long>(Fnv1aHash(WithoutTrailingSlashes(homeFolder)) & 0xFFFFFFFFFFFFULL));
  return folder + name;
}

std::vector<std::string> InstanceSocketPaths(const std::string& homeFolder, const std::string& runtimeFolder) {
  std::vector<std::string> paths;
  for (const std::string& path : {InstanceSocketPath(homeFolder, runtimeFolder), InstanceSocketPath(homeFolder, "")}) {
    if (!path.empty() && std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(path);
  }
  return paths;
}

bool SendToInstanceSocket(const std::string& path, std::string_view message, int timeoutMs) {
  sockaddr_un address;
  if (!MakeAddress(path, address) || !IsOwnSocket(path)) return false;
  FileDescriptor connection(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (connection.get() < 0) return false;
  // A connect waits while the instance's backlog is full, but not for ever.
  const timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  setsockopt(connection.get(), SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  if (connect(connection.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return false;
  // Files and requests go to no other user's process.
  if (!PeerIsThisUser(connection.get())) return false;
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
    // What is left there is a dead instance's socket or another user's:
    // neither may keep this user's instance from starting.
    if (errno != EADDRINUSE || OwnInstanceListens(address)) return -1;
    unlink(path.c_str());
    if (!Bind(listener.get(), address)) return -1;
  }
  if (listen(listener.get(), kBacklog) != 0) return -1;
  return listener.Release();
}

int AcceptInstanceConnection(int listener) {
  for (;;) {
    const int connection = accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (connection < 0 || PeerIsThisUser(connection)) return connection;
    // Another user's request is not read at all.
    close(connection);
  }
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
