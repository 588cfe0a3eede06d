#include "audio/opus_decoder.h"

#include <opusfile.h>

#include <algorithm>
#include <climits>
#include <cstdio>

namespace tarvo::audio {

namespace {

constexpr int kOpusRate = 48000;

}  // namespace

struct OpusCallbacks {
  static ByteSource& SourceOf(void* self) { return *static_cast<OpusDecoder*>(self)->source_; }

  static int Read(void* self, unsigned char* buffer, int bytes) {
    const std::int64_t got = SourceOf(self).Read(buffer, static_cast<std::size_t>(bytes));
    if (got < 0) {
      static_cast<OpusDecoder*>(self)->sourceFailed_ = true;
      return -1;
    }
    return static_cast<int>(got);
  }

  static int Seek(void* self, opus_int64 offset, int whence) {
    ByteSource& source = SourceOf(self);
    std::int64_t target = offset;
    if (whence == SEEK_CUR) target += source.Position();
    if (whence == SEEK_END) {
      if (source.Size() < 0) return -1;
      target += source.Size();
    }
    return source.SeekTo(target) ? 0 : -1;
  }

  static opus_int64 Tell(void* self) { return SourceOf(self).Position(); }
};

OpusDecoder::~OpusDecoder() {
  if (file_) op_free(file_);
}

std::unique_ptr<OpusDecoder> OpusDecoder::Open(std::unique_ptr<ByteSource> source, AudioError& error) {
  std::unique_ptr<OpusDecoder> decoder(new OpusDecoder(std::move(source)));
  error = decoder->Start();
  if (error != AudioError::Ok) return nullptr;
  return decoder;
}

AudioError OpusDecoder::Start() {
  // Exact lengths need the last page's granule position, so only a source
  // that seeks is played (files; Opus radio is not offered).
  if (!source_->CanSeek()) return AudioError::NotFile;
  const OpusFileCallbacks callbacks{&OpusCallbacks::Read, &OpusCallbacks::Seek, &OpusCallbacks::Tell, nullptr};
  int status = 0;
  file_ = op_open_callbacks(this, &callbacks, nullptr, 0, &status);
  if (!file_) return sourceFailed_ || status == OP_EREAD ? AudioError::FileOpen : AudioError::FileFormat;
  if (!op_seekable(file_)) return AudioError::FileFormat;

  format_ = PcmFormat{kOpusRate, op_channel_count(file_, -1) == 1 ? 1 : 2};
  lengthFrames_ = op_pcm_total(file_, -1);
  if (lengthFrames_ <= 0) return AudioError::NotAudio;
  return AudioError::Ok;
}

std::int64_t OpusDecoder::Read(std::int16_t* samples, std::int64_t frames) {
  std::int64_t filled = 0;
  while (filled < frames && !formatChanged_) {
    std::int16_t* out = samples + filled * format_.channels;
    const int room = static_cast<int>(std::min<std::int64_t>((frames - filled) * format_.channels, INT_MAX / 2));
    int got = 0;
    if (format_.channels == 2) {
      got = op_read_stereo(file_, out, room);
    } else {
      int link = 0;
      got = op_read(file_, out, room, &link);
      if (got > 0 && op_channel_count(file_, link) != 1) {
        formatChanged_ = true;
        break;
      }
    }
    if (got == OP_HOLE) continue;  // a gap in the data: decoding goes on after it
    if (got <= 0) break;           // the end, or damage the decoder can't pass
    filled += got;
  }
  if (sourceFailed_ && filled == 0) return -1;
  return filled;
}

bool OpusDecoder::SeekToFrame(std::int64_t frame) {
  if (frame < 0 || frame > lengthFrames_) return false;
  if (op_pcm_seek(file_, frame) != 0) return false;
  formatChanged_ = false;
  return true;
}

}  // namespace tarvo::audio
