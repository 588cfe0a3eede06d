#include "audio/decoder_channel.h"

#include <algorithm>
#include <cmath>

namespace tarvo::audio {

DecoderChannel::DecoderChannel(std::unique_ptr<Decoder> decoder)
    : format_(decoder->Format()),
      lengthFrames_(decoder->LengthFrames()),
      lengthBytes_(std::max<std::int64_t>(0, lengthFrames_) * format_.FrameBytes()),
      eightBit_(decoder->EightBitSource()),
      live_(decoder->IsLive()),
      decoder_(std::move(decoder)) {}

namespace {

void ScaleSamples(std::int16_t* samples, std::int64_t count, double factor) {
  for (std::int64_t i = 0; i < count; ++i) {
    const double scaled = std::nearbyint(samples[i] * factor);
    samples[i] = static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
  }
}

}  // namespace

void DecoderChannel::SetGain(double factor) {
  std::lock_guard lock(mutex_);
  gain_ = factor;
}

std::int64_t DecoderChannel::Read(void* buffer, std::uint32_t bytes) {
  std::lock_guard lock(mutex_);
  if (ended_) return 0;
  std::int64_t frames = bytes / format_.FrameBytes();
  if (lengthFrames_ >= 0) frames = std::min(frames, lengthFrames_ - positionFrames_);
  const std::int64_t got = frames > 0 ? decoder_->Read(static_cast<std::int16_t*>(buffer), frames) : 0;
  if (got < 0) {
    ended_ = true;
    return -1;
  }
  positionFrames_ += got;
  if (gain_ != 1.0) ScaleSamples(static_cast<std::int16_t*>(buffer), got * format_.channels, gain_);
  // A live stream gives what has arrived; it is over only when it says so.
  if (live_) {
    if (got == 0 && decoder_->Ended()) ended_ = true;
    return got * format_.FrameBytes();
  }
  // The end is known as soon as the last sample is out, so that a caller
  // reading exactly up to the end sees the channel inactive at once.
  if (got < frames || (lengthFrames_ >= 0 && positionFrames_ >= lengthFrames_)) ended_ = true;
  return got * format_.FrameBytes();
}

AudioError DecoderChannel::SetPosition(std::int64_t bytes) {
  std::lock_guard lock(mutex_);
  const std::int64_t frame = bytes / format_.FrameBytes();
  if (bytes < 0 || (lengthFrames_ >= 0 && frame > lengthFrames_)) return AudioError::Position;
  if (!decoder_->Source().CanSeek()) return AudioError::NotFile;
  if (!decoder_->SeekToFrame(frame)) return AudioError::Position;
  positionFrames_ = frame;
  ended_ = lengthFrames_ >= 0 && frame >= lengthFrames_;
  return AudioError::Ok;
}

std::int64_t DecoderChannel::Position() {
  std::lock_guard lock(mutex_);
  return positionFrames_ * format_.FrameBytes();
}

bool DecoderChannel::Active() {
  std::lock_guard lock(mutex_);
  return !ended_;
}

std::optional<std::string> DecoderChannel::Tags(TagKind kind) {
  // A live stream answers from its own lock, so asking never waits for a read.
  if (live_) return decoder_->Tags(kind);
  std::lock_guard lock(mutex_);
  return decoder_->Tags(kind);
}

std::int64_t DecoderChannel::FilePosition(FilePositionMode mode) {
  std::lock_guard lock(mutex_);
  const ByteSource& source = decoder_->Source();
  switch (mode) {
    case FilePositionMode::Decode: return source.Position();
    case FilePositionMode::Download: return source.ReceivedBytes();
    case FilePositionMode::End: return source.Size();
    case FilePositionMode::Refill: return source.RefillBytes();
  }
  return -1;
}

}  // namespace tarvo::audio
