#include "audio/hls_stream.h"

#include <algorithm>
#include <chrono>
#include <set>

#include "audio/id3_title.h"
#include "audio/ts_id3_scanner.h"

namespace tarvo::audio {

namespace {

constexpr std::size_t kPieceBytes = 16 * 1024;
constexpr std::int64_t kMinSegmentLimitBytes = 1024 * 1024;
// An initialisation section holds the codec's set-up: a few hundred bytes.
constexpr std::size_t kMaxInitBytes = 1024 * 1024;
// A master playlist may lead to another before the media playlist; more
// steps than this are a loop or a fault.
constexpr int kMaxPlaylistSteps = 3;
// A live station starts this many segments before the newest, as HLS asks.
constexpr std::size_t kLiveStartSegments = 3;
// Fetches of the playlist or of segments that fail in a row before the
// station counts as lost.
constexpr int kMaxFailures = 3;
// Bounds on the wait between refreshes, whatever the playlist says.
constexpr double kMinRefreshSeconds = 1.0;
constexpr double kMaxRefreshSeconds = 30.0;

// The whole body of `stream`; nothing when it fails or passes `limit`.
std::optional<std::string> ReadBody(HttpStream& stream, std::size_t limit) {
  std::string body;
  char piece[kPieceBytes];
  for (;;) {
    const std::int64_t got = stream.Read(piece, sizeof piece);
    if (got < 0) return std::nullopt;
    if (got == 0) return body;
    if (body.size() + static_cast<std::size_t>(got) > limit) return std::nullopt;
    body.append(piece, static_cast<std::size_t>(got));
  }
}

struct Fetched {
  std::string body;
  std::string url;  // where it came from, after redirects
};

// The whole body at `url`, up to `limit` bytes.
std::optional<Fetched> Fetch(const std::string& url, std::size_t limit, AudioError& error, OpenCancel* cancel) {
  const std::shared_ptr<HttpStream> stream = HttpStream::Open(url, HttpStream::Options{}, error, cancel);
  if (!stream) return std::nullopt;
  std::optional<std::string> body = ReadBody(*stream, limit);
  if (!body) {
    error = stream->EndError() == AudioError::Ok ? AudioError::FileFormat : stream->EndError();
    return std::nullopt;
  }
  return Fetched{std::move(*body), stream->EffectiveUrl()};
}

// A playlist, parsed against the address it came from after redirects.
std::optional<HlsPlaylist> FetchPlaylist(const std::string& url, AudioError& error, OpenCancel* cancel) {
  std::optional<Fetched> fetched = Fetch(url, kMaxPlaylistBytes, error, cancel);
  if (!fetched || !IsHlsPlaylist(fetched->body)) return std::nullopt;
  return ParseHlsPlaylist(fetched->body, fetched->url);
}

std::string StreamTitleText(const std::string& title) { return "StreamTitle='" + title + "';"; }

}  // namespace

bool HlsStream::MayBePlaylist(std::string_view head) {
  if (head.substr(0, 3) == "\xEF\xBB\xBF") head.remove_prefix(3);
  head.remove_prefix(std::min(head.find_first_not_of(" \t\r\n"), head.size()));
  return head.substr(0, 7) == "#EXTM3U";
}

std::shared_ptr<HlsStream> HlsStream::Open(const std::string& url, const std::shared_ptr<HttpStream>& answer,
                                           std::string head, AudioError& error, OpenCancel* cancel) {
  std::optional<std::string> text = ReadBody(*answer, kMaxPlaylistBytes - std::min(head.size(), kMaxPlaylistBytes));
  if (text) text->insert(0, head);
  // A plain M3U list is no station.
  std::optional<HlsPlaylist> playlist;
  if (text && IsHlsPlaylist(*text)) playlist = ParseHlsPlaylist(*text, answer->EffectiveUrl());
  std::string address = url;
  std::set<std::string> seen{address};
  for (int step = 0; playlist; ++step) {
    if (!playlist->isMaster) {
      if (playlist->segments.empty()) break;
      std::shared_ptr<HlsStream> stream(new HlsStream(address, std::move(*playlist), answer->Headers()));
      if (cancel) {
        cancel->Watch([weak = std::weak_ptr<HlsStream>(stream)] {
          if (const std::shared_ptr<HlsStream> alive = weak.lock()) alive->Cancel();
        });
      }
      stream->thread_ = std::thread([raw = stream.get()] { raw->Run(); });
      error = AudioError::Ok;
      return stream;
    }
    address = ChooseHlsMediaUrl(*playlist);
    // A playlist that leads back to one already read would never end.
    if (step + 1 >= kMaxPlaylistSteps || address.empty() || !seen.insert(address).second) break;
    error = AudioError::Ok;
    playlist = FetchPlaylist(address, error, cancel);
    if (!playlist && error != AudioError::Ok) return nullptr;
  }
  error = AudioError::FileFormat;
  return nullptr;
}

HlsStream::HlsStream(std::string mediaUrl, HlsPlaylist playlist, std::string headers)
    : mediaUrl_(std::move(mediaUrl)), headers_(std::move(headers)), playlist_(std::move(playlist)) {}

HlsStream::~HlsStream() {
  Cancel();
  if (thread_.joinable()) thread_.join();
}

// Fetching thread.
void HlsStream::Run() {
  std::int64_t next = playlist_.segments.front().sequence;
  if (!playlist_.ended && playlist_.segments.size() > kLiveStartSegments) {
    next = playlist_.segments[playlist_.segments.size() - kLiveStartSegments].sequence;
  }
  int failures = 0;
  for (;;) {
    bool brought = false;
    for (const HlsSegment& segment : playlist_.segments) {
      if (segment.sequence < next) continue;
      if (FetchSegment(segment)) {
        failures = 0;
      } else if (fetchCancel_.Cancelled() || ++failures >= kMaxFailures) {
        return Finish(AudioError::FileOpen);
      }
      next = segment.sequence + 1;
      brought = true;
    }
    if (playlist_.ended) return Finish(AudioError::Ok);
    const double target = playlist_.targetSeconds > 0 ? playlist_.targetSeconds : kMaxRefreshSeconds / 3;
    if (!Wait(std::clamp(brought ? target : target / 2, kMinRefreshSeconds, kMaxRefreshSeconds))) return;
    AudioError error = AudioError::Ok;
    HlsPlaylist playlist = FetchPlaylist(mediaUrl_, error, &fetchCancel_).value_or(HlsPlaylist{});
    if (playlist.isMaster || playlist.segments.empty()) {
      if (fetchCancel_.Cancelled() || ++failures >= kMaxFailures) {
        return Finish(error == AudioError::Ok ? AudioError::FileFormat : error);
      }
      continue;
    }
    playlist_ = std::move(playlist);
  }
}

// Fetching thread. False when the segment could not be fetched at all.
bool HlsStream::FetchSegment(const HlsSegment& segment) {
  if (!segment.title.empty()) SetTitle(segment.title);
  AudioError error = AudioError::Ok;
  // Fragmented MP4 segments hold no codec set-up of their own: their
  // initialisation section goes ahead of the first of them, and again only
  // when the playlist names another, so the decoder reads one MP4 stream.
  if (!segment.initUrl.empty() && segment.initUrl != initUrl_) {
    const std::optional<Fetched> init = Fetch(segment.initUrl, kMaxInitBytes, error, &fetchCancel_);
    if (!init) return false;
    if (!Put(init->body.data(), init->body.size())) return true;
    initUrl_ = segment.initUrl;
  }
  const std::shared_ptr<HttpStream> stream = HttpStream::Open(segment.url, HttpStream::Options{}, error, &fetchCancel_);
  if (!stream) return false;
  // A segment that goes on past four times its length at 320 kbit/s is
  // cut off there: the station carries on with the next one.
  const std::int64_t limit = std::clamp<std::int64_t>(static_cast<std::int64_t>(segment.seconds * 4 * 40000),
                                                      kMinSegmentLimitBytes, kMaxSegmentBytes);
  std::string piece(kPieceBytes, '\0');
  std::int64_t total = 0;
  bool first = true;
  bool transportStream = false;
  TsId3Scanner timedMetadata([this](const std::string& title) { SetTitle(title); });
  while (total < limit) {
    const std::int64_t got = stream->Read(piece.data(), piece.size());
    if (got <= 0) return got == 0 || total > 0;
    std::string_view data(piece.data(), static_cast<std::size_t>(got));
    if (first) {
      // Packed audio opens with an ID3 tag holding its time stamp and,
      // on some stations, the song; the tag is no audio for the decoder.
      // A transport stream carries its tags in a stream of their own.
      first = false;
      transportStream = data[0] == '\x47';
      const std::int64_t tagBytes = Id3TagBytes(data);
      if (tagBytes > 0 && tagBytes <= got) {
        if (const std::optional<std::string> title = Id3Title(data.substr(0, static_cast<std::size_t>(tagBytes)))) {
          SetTitle(*title);
        }
        data.remove_prefix(static_cast<std::size_t>(tagBytes));
      }
    }
    if (transportStream) timedMetadata.Feed(data);
    if (!Put(data.data(), data.size())) return true;
    total += got;
  }
  return true;
}

// Fetching thread: waits for room while the decoder is behind.
bool HlsStream::Put(const char* data, std::size_t bytes) {
  std::unique_lock lock(mutex_);
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

bool HlsStream::Wait(double seconds) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, std::chrono::duration<double>(seconds), [this] { return cancelled_; });
  return !cancelled_;
}

void HlsStream::SetTitle(const std::string& title) {
  std::lock_guard lock(mutex_);
  metadata_ = StreamTitleText(title);
}

void HlsStream::Finish(AudioError error) {
  std::lock_guard lock(mutex_);
  ended_ = true;
  endError_ = error;
  changed_.notify_all();
}

std::int64_t HlsStream::Read(void* buffer, std::size_t bytes) {
  const std::size_t margin = static_cast<std::size_t>(HttpStream::RefillBytes());
  std::unique_lock lock(mutex_);
  // As with one HTTP body: after running dry, a margin is gathered first.
  if (ring_.Fill() == 0 && !ended_) refilling_ = true;
  changed_.wait(lock,
                [&] { return cancelled_ || ended_ || (refilling_ ? ring_.Fill() >= margin : ring_.Fill() > 0); });
  refilling_ = false;
  if (cancelled_) return -1;
  const std::size_t count = ring_.Take(buffer, bytes);
  if (count == 0) return endError_ == AudioError::Ok ? 0 : -1;
  changed_.notify_all();
  return static_cast<std::int64_t>(count);
}

void HlsStream::Cancel() {
  {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    changed_.notify_all();
  }
  fetchCancel_.Cancel();
}

std::int64_t HlsStream::ReceivedBytes() const {
  std::lock_guard lock(mutex_);
  return static_cast<std::int64_t>(ring_.Written());
}

AudioError HlsStream::EndError() const {
  std::lock_guard lock(mutex_);
  return endError_;
}

std::optional<std::string> HlsStream::Metadata() const {
  std::lock_guard lock(mutex_);
  return metadata_;
}

}  // namespace tarvo::audio
