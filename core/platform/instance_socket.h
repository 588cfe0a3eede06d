// The per-user local (Unix domain) socket through which a later start of the
// program reaches the instance already running: it hands over a file, asks
// for the window or asks the instance to quit.
#pragma once

#include <string>
#include <string_view>

namespace tarvo {

// In `runtimeFolder` (the user's runtime folder; the temporary folder when
// empty or missing), named for the user and the home folder: two home
// folders are two programs.
std::string InstanceSocketPath(const std::string& homeFolder, const std::string& runtimeFolder);

// Connects to the running instance, sends `message` and waits until that
// instance closes the connection, which it does once it has taken the
// message. False when nobody listens or the instance does not answer within
// `timeoutMs`.
bool SendToInstanceSocket(const std::string& path, std::string_view message, int timeoutMs);

// Starts listening on `path`, readable and writable by the user only; the
// descriptor is non-blocking and close-on-exec. A socket file on which nobody
// answers is a crashed instance's leftover and is replaced. -1 when another
// instance listens there or the socket cannot be made.
int ListenOnInstanceSocket(const std::string& path);

// One waiting connection, non-blocking and close-on-exec; -1 when none waits.
int AcceptInstanceConnection(int listener);

// Reads what arrived on an accepted connection and appends it to `received`;
// false once the peer closed the connection or it failed.
bool ReceiveFromInstanceConnection(int connection, std::string& received);

}  // namespace tarvo
