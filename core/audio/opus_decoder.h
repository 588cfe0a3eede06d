// Ogg Opus through libopusfile: always 48000 Hz, mono or stereo (streams of
// more channels are mixed down to stereo). libopusfile removes the pre-skip
// and trims the last page to its granule position, so lengths are exact and
// seeking lands on the asked sample; the header's output gain is applied.
#pragma once

#include <memory>

#include "audio/decoder.h"

struct OggOpusFile;

namespace tarvo::audio {

class OpusDecoder final : public Decoder {
 public:
  // Nothing and `error` FileFormat when the content is not Ogg Opus,
  // NotAudio when it holds no samples, NotFile when the source can't seek.
  static std::unique_ptr<OpusDecoder> Open(std::unique_ptr<ByteSource> source, AudioError& error);
  ~OpusDecoder() override;

  PcmFormat Format() const override { return format_; }
  std::int64_t LengthFrames() const override { return lengthFrames_; }
  std::int64_t Read(std::int16_t* samples, std::int64_t frames) override;
  bool SeekToFrame(std::int64_t frame) override;
  const ByteSource& Source() const override { return *source_; }

 private:
  explicit OpusDecoder(std::unique_ptr<ByteSource> source) : source_(std::move(source)) {}
  AudioError Start();

  std::unique_ptr<ByteSource> source_;
  OggOpusFile* file_ = nullptr;
  PcmFormat format_;
  std::int64_t lengthFrames_ = 0;
  bool sourceFailed_ = false;
  // A later link of another channel count ends a mono file: its samples
  // would not fit the format the output was opened with.
  bool formatChanged_ = false;

  friend struct OpusCallbacks;
};

}  // namespace tarvo::audio
