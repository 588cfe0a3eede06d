#include "platform/net/http_transfer.h"

#include "base/text.h"

namespace tarvo::net {

CURL* NewHttpTransfer(const std::string& url) {
  const CurlFunctions* curl = Curl();
  if (!curl) return nullptr;
  CURL* easy = curl->curl_easy_init();
  if (!easy) return nullptr;
  // libcurl copies every text option, so nothing here must outlive the call.
  curl->curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl->curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl->curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl->curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl->curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl->curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl->curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
  curl->curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs);
  curl->curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, kLowSpeedBytesPerSecond);
  curl->curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, kLowSpeedSeconds);
  return easy;
}

bool IsHttpAddress(const std::string& url) {
  const std::string lower = AsciiLowerCopy(url.substr(0, 8));
  return StartsWith(lower, "http://") || StartsWith(lower, "https://");
}

}  // namespace tarvo::net
