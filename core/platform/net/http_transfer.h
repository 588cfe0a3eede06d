// The one libcurl set-up of the program, shared by the internet stream and
// the download: which protocols, redirects and connect timeout a transfer has,
// and that TLS is verified. Each caller adds what is its own (user agent,
// total or low-speed limits, body and header callbacks) through Curl().
#pragma once

#include "platform/net/curl_library.h"

#include <string>

namespace tarvo::net {

inline constexpr long kConnectTimeoutMs = 10000;
inline constexpr long kMaxRedirects = 10;
// A transfer slower than this many bytes a second for this many seconds has
// stalled and ends (a server that trickles a byte now and then).
inline constexpr long kLowSpeedBytesPerSecond = 1024;
inline constexpr long kLowSpeedSeconds = 15;

// Any thread: a new easy handle for `url` over http or https, following at
// most kMaxRedirects redirects (never to another protocol), failing on an
// HTTP error status, never raising signals, connecting within
// kConnectTimeoutMs and ending with CURLE_OPERATION_TIMEDOUT when it stays
// below the low-speed limit. Null when libcurl could not be loaded or has no
// memory; the caller owns the handle and ends it with Curl()->easy_cleanup.
CURL* NewHttpTransfer(const std::string& url);

// True for addresses starting "http://" or "https://", in any case.
bool IsHttpAddress(const std::string& url);

}  // namespace tarvo::net
