#include "audio/vorbis_decoder.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace tarvo::audio {

struct VorbisCallbacks {
  static std::size_t Read(void* buffer, std::size_t size, std::size_t count, void* self) {
    auto* decoder = static_cast<VorbisDecoder*>(self);
    const std::int64_t got = decoder->source_->Read(buffer, size * count);
    if (got < 0) {
      decoder->sourceFailed_ = true;
      errno = EIO;  // vorbisfile tells a failed read from the end by errno
      return 0;
    }
    errno = 0;
    return static_cast<std::size_t>(got) / size;
  }

  static int Seek(void* self, ogg_int64_t offset, int whence) {
    ByteSource& source = *static_cast<VorbisDecoder*>(self)->source_;
    std::int64_t target = offset;
    if (whence == SEEK_CUR) target += source.Position();
    if (whence == SEEK_END) {
      if (source.Size() < 0) return -1;
      target += source.Size();
    }
    return source.SeekTo(target) ? 0 : -1;
  }

  static long Tell(void* self) {
    return static_cast<long>(static_cast<VorbisDecoder*>(self)->source_->Position());
  }
};

VorbisDecoder::VorbisDecoder(std::unique_ptr<ByteSource> source)
    : source_(std::move(source)), file_(std::make_unique<OggVorbis_File>()) {}

VorbisDecoder::~VorbisDecoder() {
  if (fileOpen_) ov_clear(file_.get());
}

std::unique_ptr<VorbisDecoder> VorbisDecoder::Open(std::unique_ptr<ByteSource> source,
                                                   AudioError& error) {
  std::unique_ptr<VorbisDecoder> decoder(new VorbisDecoder(std::move(source)));
  error = decoder->Start();
  if (error != AudioError::Ok) return nullptr;
  return decoder;
}

AudioError VorbisDecoder::Start() {
  const bool seekable = source_->CanSeek();
  const ov_callbacks callbacks{&VorbisCallbacks::Read, seekable ? &VorbisCallbacks::Seek : nullptr,
                               nullptr, seekable ? &VorbisCallbacks::Tell : nullptr};
  const int status = ov_open_callbacks(this, file_.get(), nullptr, 0, callbacks);
  if (status != 0) {
    // On failure vorbisfile has already released what it set up.
    if (sourceFailed_ || status == OV_EREAD) return AudioError::FileOpen;
    return AudioError::FileFormat;
  }
  fileOpen_ = true;

  const vorbis_info* info = ov_info(file_.get(), 0);
  if (!info) return AudioError::FileFormat;
  format_ = PcmFormat{static_cast<int>(info->rate), info->channels};
  TakeComments();

  if (ov_seekable(file_.get())) {
    // Only the leading links in the first link's format are played.
    lengthFrames_ = 0;
    const long links = ov_streams(file_.get());
    for (long link = 0; link < links; ++link) {
      const vorbis_info* linkInfo = ov_info(file_.get(), static_cast<int>(link));
      if (!linkInfo || linkInfo->rate != info->rate || linkInfo->channels != info->channels) break;
      const ogg_int64_t frames = ov_pcm_total(file_.get(), static_cast<int>(link));
      if (frames > 0) lengthFrames_ += frames;
    }
    if (lengthFrames_ == 0) return AudioError::NotAudio;
  }
  return AudioError::Ok;
}

std::int64_t VorbisDecoder::Read(std::int16_t* samples, std::int64_t frames) {
  if (lengthFrames_ >= 0) frames = std::min(frames, lengthFrames_ - positionFrames_);
  if (formatChanged_ || frames <= 0) return 0;
  auto* out = reinterpret_cast<char*>(samples);
  const std::int64_t wanted = frames * format_.FrameBytes();
  std::int64_t filled = 0;
  while (filled < wanted) {
    int link = 0;
    const int chunk = static_cast<int>(std::min<std::int64_t>(wanted - filled, 1 << 16));
    const long got = ov_read(file_.get(), out + filled, chunk, 0, 2, 1, &link);
    if (got == OV_HOLE) continue;  // a gap in the data: decoding goes on after it
    if (got <= 0) break;           // the end, or damage the decoder can't pass
    const vorbis_info* info = ov_info(file_.get(), link);
    if (!info || PcmFormat{static_cast<int>(info->rate), info->channels} != format_) {
      formatChanged_ = true;
      break;
    }
    filled += got;
    if (link != link_) {
      link_ = link;
      TakeComments();
    }
  }
  if (sourceFailed_ && filled == 0) return -1;
  const std::int64_t framesRead = filled / format_.FrameBytes();
  positionFrames_ += framesRead;
  return framesRead;
}

bool VorbisDecoder::SeekToFrame(std::int64_t frame) {
  if (lengthFrames_ < 0 || frame < 0 || frame > lengthFrames_) return false;
  if (ov_pcm_seek(file_.get(), frame) != 0) return false;
  positionFrames_ = frame;
  formatChanged_ = false;
  return true;
}

}  // namespace tarvo::audio

namespace tarvo::audio {

void VorbisDecoder::TakeComments() {
  comments_.clear();
  const vorbis_comment* comment = ov_comment(file_.get(), -1);
  if (!comment) return;
  for (int i = 0; i < comment->comments; ++i) {
    comments_.append(comment->user_comments[i], static_cast<std::size_t>(comment->comment_lengths[i]));
    comments_ += '\0';
  }
  if (!comments_.empty()) comments_ += '\0';
}

std::optional<std::string> VorbisDecoder::Tags(TagKind kind) const {
  if (kind != TagKind::Ogg || comments_.empty()) return std::nullopt;
  return comments_;
}

}  // namespace tarvo::audio
