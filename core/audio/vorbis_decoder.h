// Ogg Vorbis through libvorbisfile. A chained file plays as long as its links
// keep the first link's rate and channel count; a link in another format
// ends the data, since one channel has one format.
#pragma once

#include <memory>

#include "audio/decoder.h"

struct OggVorbis_File;

namespace tarvo::audio {

class VorbisDecoder final : public Decoder {
 public:
  // Nothing and `error` FileFormat when the Ogg stream carries no Vorbis
  // (Opus, FLAC, video), NotAudio when it holds no samples.
  static std::unique_ptr<VorbisDecoder> Open(std::unique_ptr<ByteSource> source, AudioError& error);
  ~VorbisDecoder() override;

  PcmFormat Format() const override { return format_; }
  std::int64_t LengthFrames() const override { return lengthFrames_; }
  std::int64_t Read(std::int16_t* samples, std::int64_t frames) override;
  bool SeekToFrame(std::int64_t frame) override;
  const ByteSource& Source() const override { return *source_; }
  // The comments of the chain being decoded: a station starts a new chain
  // with the next song's comments.
  std::optional<std::string> Tags(TagKind kind) const override;

 private:
  explicit VorbisDecoder(std::unique_ptr<ByteSource> source);
  AudioError Start();
  void TakeComments();

  std::unique_ptr<ByteSource> source_;
  std::unique_ptr<OggVorbis_File> file_;
  bool fileOpen_ = false;
  PcmFormat format_;
  std::int64_t lengthFrames_ = -1;
  std::int64_t positionFrames_ = 0;
  bool sourceFailed_ = false;
  bool formatChanged_ = false;
  int link_ = 0;
  std::string comments_;  // "TITLE=...\0ARTIST=...\0\0"; empty when none

  friend struct VorbisCallbacks;
};

}  // namespace tarvo::audio
