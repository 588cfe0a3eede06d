// MPEG audio layers 1, 2 and 3 through libmpg123, with its gapless mode on:
// the encoder delay and padding recorded in a LAME/Xing header are removed,
// so the length is exact to the sample and two gapless-encoded files joined
// end to end sound as one.
#pragma once

#include <sys/types.h>

#include <memory>

#include "audio/decoder.h"

struct mpg123_handle_struct;

namespace tarvo::audio {

class Mpg123Decoder final : public Decoder {
 public:
  // Nothing and `error` FileFormat when no MPEG audio frame is found where a
  // stream should begin; Unknown when the library can't be set up.
  static std::unique_ptr<Mpg123Decoder> Open(std::unique_ptr<ByteSource> source, AudioError& error);
  ~Mpg123Decoder() override;

  PcmFormat Format() const override { return format_; }
  std::int64_t LengthFrames() const override { return lengthFrames_; }
  std::int64_t Read(std::int16_t* samples, std::int64_t frames) override;
  bool SeekToFrame(std::int64_t frame) override;
  const ByteSource& Source() const override { return *source_; }

 private:
  explicit Mpg123Decoder(std::unique_ptr<ByteSource> source);
  AudioError Start();

  static ssize_t ReadCallback(void* self, void* buffer, std::size_t bytes);
  static off_t SeekCallback(void* self, off_t offset, int whence);

  std::unique_ptr<ByteSource> source_;
  mpg123_handle_struct* handle_ = nullptr;
  PcmFormat format_;
  std::int64_t lengthFrames_ = -1;
  // Set by the read callback when the source itself failed, so that a read
  // error is told apart from the end of a damaged stream.
  bool sourceFailed_ = false;
  // The stream changed its rate or channel count: what follows is not played.
  bool formatChanged_ = false;
};

}  // namespace tarvo::audio
