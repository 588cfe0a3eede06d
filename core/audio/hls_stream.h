// An HLS station: the segments of its media playlist fetched one after
// another, in order, and handed to the decoder as one stream of bytes (ADTS
// or MPEG-TS decode across the joints). A live playlist is fetched again as
// HLS asks (after its target duration, half of it when it brought nothing
// new) until the station is stopped; a playlist that has ended ends the data
// after its last segment. Titles come from #EXTINF or from the ID3 tag that
// starts a packed-audio segment or rides in a TS segment's timed metadata,
// and are given as ICY metadata texts. Fragmented MP4 segments follow their
// #EXT-X-MAP initialisation section. Relative addresses count from where
// each playlist came from after redirects.
//
// Every fetch goes through HttpStream, so the one libcurl set-up, its
// timeouts and its low-speed limit apply. A segment is cut off well past
// what its length can hold (kMaxSegmentBytes at most), a playlist refused
// beyond kMaxPlaylistBytes.
//
// Threads: Open on the caller's thread (a connect thread); Read on the
// decoding thread; the fetching runs on a thread of its own; the rest on any
// thread.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "audio/byte_ring.h"
#include "audio/hls_playlist.h"
#include "audio/http_stream.h"
#include "audio/live_stream.h"
#include "audio/open_cancel.h"

namespace tarvo::audio {

inline constexpr std::size_t kMaxPlaylistBytes = 4 * 1024 * 1024;
inline constexpr std::int64_t kMaxSegmentBytes = 8 * 1024 * 1024;

class HlsStream final : public LiveStream {
 public:
  // True when a body starting with `head` may be an HLS playlist.
  static bool MayBePlaylist(std::string_view head);
  // `answer` is the open response to `url`, whose body is an HLS playlist;
  // `head` the bytes of it already read.
  // A master playlist leads to its chosen media playlist (at most a few
  // steps, never back to one already read). Nothing and `error` FileFormat
  // for a playlist that is too long, leads nowhere or in a circle, or lists
  // no segments; the errors of HttpStream::Open for a fetch that fails.
  // `cancel` stops the open and, later, the fetching.
  static std::shared_ptr<HlsStream> Open(const std::string& url, const std::shared_ptr<HttpStream>& answer,
                                         std::string head, AudioError& error, OpenCancel* cancel = nullptr);
  // Ends the fetching thread.
  ~HlsStream() override;
  HlsStream(const HlsStream&) = delete;
  HlsStream& operator=(const HlsStream&) = delete;

  std::int64_t Read(void* buffer, std::size_t bytes) override;
  void Cancel() override;
  std::int64_t ReceivedBytes() const override;
  AudioError EndError() const override;
  std::string Headers() const override { return headers_; }
  std::optional<std::string> Metadata() const override;

 private:
  HlsStream(std::string mediaUrl, HlsPlaylist playlist, std::string headers);
  void Run();
  bool FetchSegment(const HlsSegment& segment);
  bool Put(const char* data, std::size_t bytes);
  void SetTitle(const std::string& title);
  void Finish(AudioError error);
  // Fetching thread: waits `seconds` or until cancelled; false when cancelled.
  bool Wait(double seconds);

  // Fixed at the start.
  const std::string mediaUrl_;
  const std::string headers_;
  // Owned by the fetching thread.
  HlsPlaylist playlist_;
  std::string initUrl_;  // the initialisation section last put in
  std::thread thread_;
  // Stops the fetch under way, and every later one, at once.
  OpenCancel fetchCancel_;

  mutable std::mutex mutex_;  // guards everything below
  std::condition_variable changed_;  // data, room, end or cancel
  ByteRing ring_{kStreamRingBytes};
  bool ended_ = false;
  bool cancelled_ = false;
  bool refilling_ = false;
  AudioError endError_ = AudioError::Ok;
  std::optional<std::string> metadata_;
};

}  // namespace tarvo::audio
