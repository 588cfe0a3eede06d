// The body of an HTTP or HTTPS response, received by libcurl on a network
// thread of its own into a bounded buffer that a decoder reads from. With ICY
// metadata asked for, the interleaved metadata is taken out of the audio and
// the latest text kept; the response headers are kept as well. Redirects are
// followed; TLS peers are verified.
//
// Threads: Open on the caller's thread (a connect thread); Read on the
// decoding thread; the rest on any thread. The network thread only calls
// back into this object.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "audio/audio_error.h"
#include "audio/byte_ring.h"
#include "audio/icy_demuxer.h"
#include "audio/live_stream.h"
#include "audio/open_cancel.h"

namespace tarvo::audio {

class HttpStream final : public LiveStream {
 public:
  struct Options {
    // Asks the server for ICY metadata ("Icy-MetaData: 1").
    bool icyMetadata = false;
    // How long the server may take to answer with its first bytes.
    std::chrono::milliseconds answerTimeout{10000};
  };

  // Blocks until the server has answered and the first bytes of the body
  // are in (or the body ended early), at most the answer timeout. Nothing
  // and `error` set on failure: Timeout when it did not answer in time,
  // FileFormat when it refused (an HTTP error status), FileOpen when no
  // connection could be made (also for an address that is not http or
  // https, or a peer whose certificate does not verify, or when `cancel`
  // was cancelled). The transfer stays registered with `cancel`, which can
  // thus stop it later; the caller unwatches when it no longer wants that.
  static std::shared_ptr<HttpStream> Open(const std::string& url, const Options& options, AudioError& error,
                                          OpenCancel* cancel = nullptr);
  // Ends the network thread.
  ~HttpStream() override;
  HttpStream(const HttpStream&) = delete;
  HttpStream& operator=(const HttpStream&) = delete;

  // Decoding thread. Up to `bytes` bytes of audio; blocks while none are
  // there. After the buffer ran dry it waits until some are gathered again,
  // so playback resumes with a margin instead of stuttering. 0 at the end
  // of the body, -1 when the connection failed or was cancelled.
  std::int64_t Read(void* buffer, std::size_t bytes) override;
  // Any thread: ends the transfer; a blocked Read returns -1.
  void Cancel() override;

  // Audio bytes received so far.
  std::int64_t ReceivedBytes() const override;
  // Why the transfer ended: Ok while it runs or after a clean end, Timeout
  // after a stall (less than the low-speed limit for its time).
  AudioError EndError() const override;
  // What Read gathers after running dry before it gives data again.
  static std::int64_t RefillBytes();
  // The response headers, status line first, each ended by a NUL, the block
  // by one more. Each header is cut at a fixed length and only the first
  // headers are kept.
  std::string Headers() const override;
  // The latest ICY metadata text; nothing before the first.
  std::optional<std::string> Metadata() const override;
  // The address that answered, after redirects: what relative addresses in
  // the body count from. The asked address until the answer came.
  std::string EffectiveUrl() const;

 private:
  HttpStream() = default;
  bool Start(const std::string& url, const Options& options);
  void Run();
  AudioError WaitForAnswer(std::chrono::milliseconds timeout);

  // Network thread (curl's callbacks).
  static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self);
  static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self);
  void TakeHeader(std::string line);
  bool TakeAudio(const char* data, std::size_t bytes);
  void TakeMetadata(std::string text);

  // Set up before the network thread starts; owned by it afterwards.
  void* easy_ = nullptr;
  void* multi_ = nullptr;
  void* headerList_ = nullptr;
  std::int64_t metaint_ = 0;
  std::unique_ptr<IcyDemuxer> demuxer_;
  std::thread thread_;

  mutable std::mutex mutex_;  // guards everything below
  std::condition_variable changed_;  // data, room, answer, end or cancel
  ByteRing ring_{kStreamRingBytes};  // audio bytes
  bool answered_ = false;      // the first body bytes arrived
  bool ended_ = false;         // the transfer is over
  bool failed_ = false;        // ... and not at a clean end of the body
  bool cancelled_ = false;
  bool refilling_ = false;     // Read waits for a margin after running dry
  AudioError endError_ = AudioError::Ok;
  std::vector<std::string> headers_;
  std::optional<std::string> metadata_;
  std::string effectiveUrl_;
};

}  // namespace tarvo::audio
