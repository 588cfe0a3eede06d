// Everything FFmpeg decodes (AAC and HE-AAC in ADTS, MPEG-TS or MP4 and
// whatever else its demuxers know) through libavformat, libavcodec and
// libswresample. The byte source is read through a custom AVIOContext,
// seekable when the source is, a stream otherwise. One audio stream is
// decoded and delivered as 16-bit interleaved samples at its own rate: mono
// stays mono, everything else comes out as stereo.
#pragma once

#include <memory>
#include <vector>

#include "audio/decoder.h"

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct SwrContext;

namespace tarvo::audio {

class FfmpegDecoder final : public Decoder {
 public:
  // Nothing and `error` FileFormat when FFmpeg finds no format or no decoder
  // for the data, NotAudio when it holds no audio stream or no samples,
  // FileOpen when the source failed, Unknown when the library can't be set
  // up. Reads and decodes the first frame to learn the delivered format
  // (HE-AAC doubles the rate its headers announce). May block on a network
  // source.
  static std::unique_ptr<FfmpegDecoder> Open(std::unique_ptr<ByteSource> source, AudioError& error);
  ~FfmpegDecoder() override;
  FfmpegDecoder(const FfmpegDecoder&) = delete;
  FfmpegDecoder& operator=(const FfmpegDecoder&) = delete;

  PcmFormat Format() const override { return format_; }
  std::int64_t LengthFrames() const override { return lengthFrames_; }
  std::int64_t Read(std::int16_t* samples, std::int64_t frames) override;
  bool SeekToFrame(std::int64_t frame) override;
  const ByteSource& Source() const override { return *source_; }

 private:
  explicit FfmpegDecoder(std::unique_ptr<ByteSource> source);
  AudioError Start();
  AudioError OpenCodec();
  // Decodes until one more frame is converted into pending_; false at the
  // end of the data, on a source failure or on a change of format.
  bool DecodeNext();
  // The next frame out of the codec, feeding it packets as it asks;
  // false at the end.
  bool ReceiveFrame();
  bool Convert();
  std::int64_t FramePosition() const;
  std::int64_t TakePending(std::int16_t* samples, std::int64_t frames);

  static int ReadPacket(void* self, std::uint8_t* buffer, int size);
  static std::int64_t SeekSource(void* self, std::int64_t offset, int whence);

  std::unique_ptr<ByteSource> source_;
  AVIOContext* io_ = nullptr;
  AVFormatContext* formatContext_ = nullptr;
  AVCodecContext* codec_ = nullptr;
  SwrContext* resampler_ = nullptr;
  AVPacket* packet_ = nullptr;
  AVFrame* frame_ = nullptr;
  int streamIndex_ = -1;

  PcmFormat format_;
  int sourceChannels_ = 0;  // the channel count of the decoded frames
  std::int64_t lengthFrames_ = -1;
  std::int64_t positionFrames_ = 0;
  // Decoded and converted samples not yet read, from pendingOffset_ on.
  std::vector<std::int16_t> pending_;
  std::size_t pendingOffset_ = 0;
  // After a seek: frames before this one are decoded and dropped; -1 none.
  std::int64_t seekTarget_ = -1;
  bool draining_ = false;       // the demuxer ended; the codec gives its last frames
  bool ended_ = false;
  bool sourceFailed_ = false;   // the byte source itself failed a read
  bool formatChanged_ = false;  // the stream changed rate or channels: no more is played
};

}  // namespace tarvo::audio
