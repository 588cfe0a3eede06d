#include "audio/http_stream.h"

#include <algorithm>
#include <cctype>

#include "base/version.h"
#include "platform/net/http_transfer.h"

namespace tarvo::audio {

namespace {

using Clock = std::chrono::steady_clock;

// Gathered before the first read and again after the buffer ran dry: about
// one second of a 128 kbit/s station.
constexpr std::size_t kMarginBytes = 16 * 1024;
// Headers beyond these are not kept; servers send a dozen short ones.
constexpr std::size_t kMaxHeaders = 64;
constexpr std::size_t kMaxHeaderBytes = 1024;
constexpr int kPollMs = 1000;

AudioError ErrorOf(CURLcode code) {
  switch (code) {
    case CURLE_OK: return AudioError::Ok;
    case CURLE_OPERATION_TIMEDOUT: return AudioError::Timeout;
    case CURLE_HTTP_RETURNED_ERROR: return AudioError::FileFormat;
    default: return AudioError::FileOpen;
  }
}

}  // namespace

std::shared_ptr<HttpStream> HttpStream::Open(const std::string& url, const Options& options, AudioError& error,
                                             OpenCancel* cancel) {
  if (!net::IsHttpAddress(url) || !net::Curl()) {
    error = AudioError::FileOpen;
    return nullptr;
  }
  std::shared_ptr<HttpStream> stream(new HttpStream);
  stream->effectiveUrl_ = url;
  if (!stream->Start(url, options)) {
    error = AudioError::Unknown;
    return nullptr;
  }
  if (cancel) {
    cancel->Watch([weak = std::weak_ptr<HttpStream>(stream)] {
      if (const std::shared_ptr<HttpStream> alive = weak.lock()) alive->Cancel();
    });
  }
  error = stream->WaitForAnswer(options.answerTimeout);
  if (error != AudioError::Ok) return nullptr;
  return stream;
}

bool HttpStream::Start(const std::string& url, const Options& options) {
  easy_ = net::NewHttpTransfer(url);
  multi_ = net::LoadedCurl().curl_multi_init();
  if (!easy_ || !multi_) return false;
  net::LoadedCurl().curl_easy_setopt(easy_, CURLOPT_USERAGENT, kStreamUserAgent);
  // Shoutcast servers answer "ICY 200 OK" instead of an HTTP status line.
  net::LoadedCurl().curl_easy_setopt(easy_, CURLOPT_HTTP09_ALLOWED, 1L);
  net::LoadedCurl().curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &HttpStream::OnHeader);
  net::LoadedCurl().curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
  net::LoadedCurl().curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &HttpStream::OnBody);
  net::LoadedCurl().curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
  if (options.icyMetadata) {
    headerList_ = net::LoadedCurl().curl_slist_append(nullptr, "Icy-MetaData: 1");
    net::LoadedCurl().curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headerList_);
  }
  if (net::LoadedCurl().curl_multi_add_handle(multi_, easy_) != CURLM_OK) return false;
  thread_ = std::thread([this] { Run(); });
  return true;
}

HttpStream::~HttpStream() {
  Cancel();
  if (thread_.joinable()) thread_.join();
  if (multi_ && easy_) net::LoadedCurl().curl_multi_remove_handle(multi_, easy_);
  if (easy_) net::LoadedCurl().curl_easy_cleanup(easy_);
  if (multi_) net::LoadedCurl().curl_multi_cleanup(multi_);
  net::LoadedCurl().curl_slist_free_all(static_cast<curl_slist*>(headerList_));
}

// Network thread: runs the transfer until it ends or is cancelled.
void HttpStream::Run() {
  int running = 1;
  while (running > 0) {
    {
      std::lock_guard lock(mutex_);
      if (cancelled_) break;
    }
    if (net::LoadedCurl().curl_multi_perform(multi_, &running) != CURLM_OK) break;
    if (running > 0) net::LoadedCurl().curl_multi_poll(multi_, nullptr, 0, kPollMs, nullptr);
  }
  CURLcode result = CURLE_ABORTED_BY_CALLBACK;
  int left = 0;
  while (CURLMsg* message = net::LoadedCurl().curl_multi_info_read(multi_, &left)) {
    if (message->msg == CURLMSG_DONE) result = message->data.result;
  }
  // The connection closes now, not when the last reader lets go: a server
  // must not go on sending to a stream that was cancelled or has ended.
  net::LoadedCurl().curl_multi_remove_handle(multi_, easy_);
  net::LoadedCurl().curl_easy_cleanup(easy_);
  easy_ = nullptr;
  std::lock_guard lock(mutex_);
  ended_ = true;
  failed_ = result != CURLE_OK;
  endError_ = ErrorOf(result);
  changed_.notify_all();
}

AudioError HttpStream::WaitForAnswer(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  const bool ready = changed_.wait_until(lock, Clock::now() + timeout, [this] {
    return cancelled_ || ended_ || (answered_ && ring_.Fill() >= kMarginBytes);
  });
  if (cancelled_) return AudioError::FileOpen;
  if (!ready && !answered_) {
    lock.unlock();
    Cancel();
    return AudioError::Timeout;
  }
  // A body that ended at once (an empty reply) is for the decoder to refuse.
  if (ended_ && failed_ && !answered_) return endError_;
  return AudioError::Ok;
}

std::int64_t HttpStream::Read(void* buffer, std::size_t bytes) {
  std::unique_lock lock(mutex_);
  if (ring_.Fill() == 0 && !ended_) refilling_ = true;
  changed_.wait(lock, [this] {
    return cancelled_ || ended_ || (refilling_ ? ring_.Fill() >= kMarginBytes : ring_.Fill() > 0);
  });
  refilling_ = false;
  if (cancelled_) return -1;
  const std::size_t count = ring_.Take(buffer, bytes);
  if (count == 0) return failed_ ? -1 : 0;
  changed_.notify_all();
  return static_cast<std::int64_t>(count);
}

void HttpStream::Cancel() {
  {
    std::lock_guard lock(mutex_);
    if (cancelled_) return;
    cancelled_ = true;
    changed_.notify_all();
  }
  if (multi_) net::LoadedCurl().curl_multi_wakeup(multi_);
}

std::int64_t HttpStream::ReceivedBytes() const {
  std::lock_guard lock(mutex_);
  return static_cast<std::int64_t>(ring_.Written());
}

AudioError HttpStream::EndError() const {
  std::lock_guard lock(mutex_);
  return endError_;
}

std::int64_t HttpStream::RefillBytes() { return static_cast<std::int64_t>(kMarginBytes); }

std::string HttpStream::Headers() const {
  std::lock_guard lock(mutex_);
  std::string block;
  for (const std::string& header : headers_) {
    block += header;
    block += '\0';
  }
  block += '\0';
  return block;
}

std::optional<std::string> HttpStream::Metadata() const {
  std::lock_guard lock(mutex_);
  return metadata_;
}

std::string HttpStream::EffectiveUrl() const {
  std::lock_guard lock(mutex_);
  return effectiveUrl_;
}

std::size_t HttpStream::OnHeader(char* data, std::size_t size, std::size_t count, void* self) {
  const std::size_t bytes = size * count;
  std::string line(data, bytes);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  static_cast<HttpStream*>(self)->TakeHeader(std::move(line));
  return bytes;
}

void HttpStream::TakeHeader(std::string line) {
  if (line.empty()) return;
  const bool statusLine = line.rfind("HTTP/", 0) == 0 || line.rfind("ICY ", 0) == 0;
  if (line.size() > kMaxHeaderBytes) line.resize(kMaxHeaderBytes);
  // At a response's status line libcurl already names the address it answers.
  const char* answered = nullptr;
  if (statusLine && net::LoadedCurl().curl_easy_getinfo(easy_, CURLINFO_EFFECTIVE_URL, &answered) != CURLE_OK) {
    answered = nullptr;
  }
  std::lock_guard lock(mutex_);
  // Each response of a redirect chain starts afresh: the last one counts.
  if (statusLine) {
    headers_.clear();
    metaint_ = 0;
    if (answered) effectiveUrl_ = answered;
  }
  if (const std::optional<std::int64_t> metaint = IcyMetaintOf(line)) metaint_ = *metaint;
  if (headers_.size() < kMaxHeaders) headers_.push_back(std::move(line));
}

std::size_t HttpStream::OnBody(char* data, std::size_t size, std::size_t count, void* self) {
  auto* stream = static_cast<HttpStream*>(self);
  const std::size_t bytes = size * count;
  if (!stream->demuxer_) {
    std::int64_t metaint = 0;
    {
      std::lock_guard lock(stream->mutex_);
      metaint = stream->metaint_;
    }
    stream->demuxer_ = std::make_unique<IcyDemuxer>(metaint);
  }
  bool keepGoing = true;
  stream->demuxer_->Feed(
      std::string_view(data, bytes),
      [&](std::string_view audio) { keepGoing = keepGoing && stream->TakeAudio(audio.data(), audio.size()); },
      [&](std::string_view text) { stream->TakeMetadata(std::string(text)); });
  // Anything but the full count makes libcurl end the transfer.
  return keepGoing ? bytes : 0;
}

// Waits for room when the decoder is behind (a paused output): the server
// then sees the connection slow down instead of this buffer growing.
bool HttpStream::TakeAudio(const char* data, std::size_t bytes) {
  std::unique_lock lock(mutex_);
  answered_ = true;
  while (bytes > 0) {
    changed_.wait(lock, [this] { return cancelled_ || !ring_.Full(); });
    if (cancelled_) return false;
    const std::size_t count = ring_.Put(data, bytes);
    data += count;
    bytes -= count;
    changed_.notify_all();
  }
  return true;
}

void HttpStream::TakeMetadata(std::string text) {
  std::lock_guard lock(mutex_);
  metadata_ = std::move(text);
}

}  // namespace tarvo::audio
