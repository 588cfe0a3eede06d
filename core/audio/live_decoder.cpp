#include "audio/live_decoder.h"

#include <algorithm>
#include <cstring>

namespace tarvo::audio {

namespace {

// Decoded ahead of the output: half a second, in pieces of about 50 ms.
constexpr int kAheadMs = 500;
constexpr int kPieceMs = 50;

}  // namespace

LiveDecoder::LiveDecoder(std::unique_ptr<Decoder> inner, std::shared_ptr<LiveStream> stream)
    : format_(inner->Format()), stream_(std::move(stream)), inner_(std::move(inner)) {
  ring_.resize(static_cast<std::size_t>(format_.rate) * format_.channels * kAheadMs / 1000);
  comments_ = inner_->Tags(TagKind::Ogg);
  thread_ = std::thread([this] { Run(); });
}

LiveDecoder::~LiveDecoder() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    changed_.notify_all();
  }
  stream_->Cancel();
  thread_.join();
}

// Decoding thread.
void LiveDecoder::Run() {
  const std::size_t piece = static_cast<std::size_t>(format_.rate) * kPieceMs / 1000;
  std::vector<std::int16_t> samples(piece * format_.channels);
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return stopping_ || ring_.size() - (written_ - read_) >= samples.size(); });
      if (stopping_) return;
    }
    const std::int64_t frames = inner_->Read(samples.data(), static_cast<std::int64_t>(piece));
    std::optional<std::string> comments = inner_->Tags(TagKind::Ogg);
    std::lock_guard lock(mutex_);
    if (comments) comments_ = std::move(comments);
    if (frames <= 0) {
      innerEnded_ = true;
      changed_.notify_all();
      // Nothing more is decoded (the connection ended, or the station
      // changed its sample format, which this decoder can't follow): the
      // download ends with it.
      stream_->Cancel();
      return;
    }
    const std::size_t count = static_cast<std::size_t>(frames) * format_.channels;
    for (std::size_t i = 0; i < count; ++i) ring_[(written_ + i) % ring_.size()] = samples[i];
    written_ += count;
  }
}

std::int64_t LiveDecoder::Read(std::int16_t* samples, std::int64_t frames) {
  std::lock_guard lock(mutex_);
  const std::uint64_t available = (written_ - read_) / static_cast<std::uint64_t>(format_.channels);
  const std::size_t count =
      static_cast<std::size_t>(std::min<std::uint64_t>(available, static_cast<std::uint64_t>(frames))) *
      format_.channels;
  const std::size_t offset = static_cast<std::size_t>(read_ % ring_.size());
  const std::size_t first = std::min(count, ring_.size() - offset);
  std::memcpy(samples, ring_.data() + offset, first * sizeof(std::int16_t));
  std::memcpy(samples + first, ring_.data(), (count - first) * sizeof(std::int16_t));
  read_ += count;
  changed_.notify_all();
  return static_cast<std::int64_t>(count / format_.channels);
}

bool LiveDecoder::Ended() const {
  std::lock_guard lock(mutex_);
  return innerEnded_ && written_ == read_;
}

std::optional<std::string> LiveDecoder::Tags(TagKind kind) const {
  switch (kind) {
    case TagKind::Http: return stream_->Headers();
    case TagKind::Meta: return stream_->Metadata();
    case TagKind::Ogg: {
      std::lock_guard lock(mutex_);
      return comments_;
    }
  }
  return std::nullopt;
}

}  // namespace tarvo::audio
