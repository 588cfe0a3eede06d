// WAV and FLAC files through libsndfile: 8, 16, 24 and 32-bit integer and 32
// and 64-bit float samples, and the compressed codings libsndfile reads inside
// WAV, all delivered as 16-bit. Wider integers lose their low bits and are
// never clipped; float samples beyond full scale are clipped, not wrapped.
// FLAC lengths come from the stream header and seeking lands on the sample.
#pragma once

#include <memory>
#include <vector>

#include "audio/decoder.h"

struct sf_private_tag;

namespace tarvo::audio {

class SndfileDecoder final : public Decoder {
 public:
  // Nothing and `error` FileFormat when the content is not a WAV or FLAC
  // file libsndfile can read, NotAudio when it holds no samples.
  static std::unique_ptr<SndfileDecoder> Open(std::unique_ptr<ByteSource> source, AudioError& error);
  ~SndfileDecoder() override;

  PcmFormat Format() const override { return format_; }
  std::int64_t LengthFrames() const override { return lengthFrames_; }
  std::int64_t Read(std::int16_t* samples, std::int64_t frames) override;
  bool SeekToFrame(std::int64_t frame) override;
  bool EightBitSource() const override { return eightBit_; }
  const ByteSource& Source() const override { return *source_; }

 private:
  explicit SndfileDecoder(std::unique_ptr<ByteSource> source) : source_(std::move(source)) {}
  AudioError Start();

  std::unique_ptr<ByteSource> source_;
  sf_private_tag* file_ = nullptr;
  PcmFormat format_;
  std::int64_t lengthFrames_ = 0;
  bool sourceFailed_ = false;
  bool eightBit_ = false;
  // Float files are read as floats and scaled here: libsndfile would hand
  // them to a 16-bit reader unscaled. Sized once at opening.
  bool floatSamples_ = false;
  std::vector<float> floatBlock_;

  friend struct SndfileCallbacks;
};

}  // namespace tarvo::audio
