#include "platform/net/http_download.h"

#include "platform/file_io.h"
#include "platform/net/http_transfer.h"

namespace tarvo {

namespace {

constexpr long kTotalTimeoutMs = 30000;
// Playlists and update answers are small; a reply past this is not one.
constexpr std::size_t kMaxReplyBytes = 4 * 1024 * 1024;

struct Reply {
  std::string bytes;
  bool tooLarge = false;
};

std::size_t TakeBody(char* data, std::size_t size, std::size_t count, void* target) {
  auto& reply = *static_cast<Reply*>(target);
  const std::size_t bytes = size * count;
  if (reply.bytes.size() + bytes > kMaxReplyBytes) {
    reply.tooLarge = true;
    return 0;
  }
  reply.bytes.append(data, bytes);
  return bytes;
}

// Another thread than the window's; blocks for at most the total timeout.
bool Fetch(const std::string& url, Reply& reply) {
  CURL* easy = net::NewHttpTransfer(url);
  if (!easy) return false;
  const net::CurlFunctions& curl = net::LoadedCurl();
  curl.curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, kTotalTimeoutMs);
  curl.curl_easy_setopt(easy, CURLOPT_USERAGENT, "VOLTRAN Download");
  // Always from the server, never from a cache on the way.
  curl_slist* headers = curl.curl_slist_append(nullptr, "Cache-Control: no-cache");
  curl.curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
  curl.curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &TakeBody);
  curl.curl_easy_setopt(easy, CURLOPT_WRITEDATA, &reply);
  const CURLcode result = curl.curl_easy_perform(easy);
  curl.curl_easy_cleanup(easy);
  curl.curl_slist_free_all(headers);
  return result == CURLE_OK && !reply.tooLarge;
}

}  // namespace

std::int64_t DownloadToFile(Ui& ui, const std::string& url, const std::string& localPath) {
  Reply reply;
  bool fetched = false;
  ui.RunWhileResponsive([&] { fetched = Fetch(url, reply); });
  if (!fetched || reply.bytes.empty()) return 0;
  if (!WriteFileAtomically(localPath, reply.bytes)) return 0;
  return static_cast<std::int64_t>(reply.bytes.size());
}

}  // namespace tarvo
