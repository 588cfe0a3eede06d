// The program's one HTTP download: a playlist behind an address, the update
// check's answer. Window thread; the transfer runs on another thread while
// the window keeps painting.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui.h"

namespace tarvo {

// Fetches `url` (http or https, redirects followed, TLS verified) with the
// user agent "VOLTRAN Download", within 10 s to connect and 30 s in all, and
// writes the reply to `localPath` through the crash-safe writer. The bytes
// written; 0 when nothing came back: no connection, an HTTP error status, an
// empty or oversized reply, or a failed write. Shows no message.
std::int64_t DownloadToFile(Ui& ui, const std::string& url, const std::string& localPath);

}  // namespace tarvo
