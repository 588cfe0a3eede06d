// The per-user local (Unix domain) socket through which a later start of the
// program reaches the instance already running: it hands over a file, asks
// for the window or asks the instance to quit.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

// Where the instance listens, named for the user and the home folder (two
// home folders are two programs), in a folder only the user can enter (owned
// by the user, no rights for others, not a link): `runtimeFolder` (the
// user's runtime folder) when it is one; else /run/user/UID; else
// /tmp/tarvo-UID, made when missing; else, when another user has that one,
// "tarvo" in the user's cache folder, with a line on standard error. Empty
// when none of them is private.
std::string InstanceSocketPath(const std::string& homeFolder, const std::string& runtimeFolder);

// Where the instance's socket may go, in this order.
struct SocketFolderCandidates {
  std::string runtime;     // $XDG_RUNTIME_DIR
  std::string systemd;     // /run/user/UID
  std::string sharedTemp;  // /tmp: its "tarvo-UID", made when missing
  std::string cache;       // the user's cache folder: its "tarvo"
};

// The first of the candidates that only the user can enter. `refused` gets
// the shared folder's "tarvo-UID" when another user made it or others may
// enter it, and the cache folder is used instead. Empty when none is private.
std::string PrivateSocketFolder(const SocketFolderCandidates& candidates, std::string* refused);

// Where a later start looks for the instance: the path above and the one a
// start without a runtime folder uses, so that a start from another
// environment of the same user still finds it.
std::vector<std::string> InstanceSocketPaths(const std::string& homeFolder, const std::string& runtimeFolder);

// Connects to the running instance, sends `message` and waits until that
// instance closes the connection, which it does once it has taken the
// message. False when nobody listens or the instance does not answer within
// `timeoutMs`, and when the socket file or the process listening on it
// belongs to another user (nothing is sent then).
bool SendToInstanceSocket(const std::string& path, std::string_view message, int timeoutMs);

// Starts listening on `path`, readable and writable by the user only; the
// descriptor is non-blocking and close-on-exec. A socket file on which nobody
// answers is a crashed instance's leftover and is replaced, as is one of
// another user's. -1 when another instance of this user listens there or the
// socket cannot be made.
int ListenOnInstanceSocket(const std::string& path);

// One waiting connection of this user's, non-blocking and close-on-exec;
// connections from other users are closed unread. -1 when none waits.
int AcceptInstanceConnection(int listener);

// Reads what arrived on an accepted connection and appends it to `received`;
// false once the peer closed the connection or it failed.
bool ReceiveFromInstanceConnection(int connection, std::string& received);

}  // namespace tarvo
