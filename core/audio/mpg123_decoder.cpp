#include "audio/mpg123_decoder.h"

#include <mpg123.h>

#include <cstdio>
#include <mutex>

namespace tarvo::audio {

namespace {

// Older libmpg123 needs one global set-up before the first handle.
bool LibraryReady() {
  static std::once_flag once;
  static bool ready = false;
  std::call_once(once, [] { ready = mpg123_init() == MPG123_OK; });
  return ready;
}

}  // namespace

Mpg123Decoder::Mpg123Decoder(std::unique_ptr<ByteSource> source) : source_(std::move(source)) {}

Mpg123Decoder::~Mpg123Decoder() {
  if (handle_) {
    mpg123_close(handle_);
    mpg123_delete(handle_);
  }
}

std::unique_ptr<Mpg123Decoder> Mpg123Decoder::Open(std::unique_ptr<ByteSource> source,
                                                   AudioError& error) {
  std::unique_ptr<Mpg123Decoder> decoder(new Mpg123Decoder(std::move(source)));
  error = decoder->Start();
  if (error != AudioError::Ok) return nullptr;
  return decoder;
}

AudioError Mpg123Decoder::Start() {
  if (!LibraryReady()) return AudioError::Unknown;
  int status = MPG123_OK;
  handle_ = mpg123_new(nullptr, &status);
  if (!handle_) return AudioError::Unknown;

  mpg123_param(handle_, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0);
  // Only 16-bit signed output, at whatever rate and channel count the stream
  // has: no resampling, no mixing.
  mpg123_format_none(handle_);
  const long* rates = nullptr;
  std::size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (std::size_t i = 0; i < rateCount; ++i) {
    mpg123_format(handle_, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  }

  if (mpg123_replace_reader_handle(handle_, &ReadCallback,
                                   source_->CanSeek() ? &SeekCallback : nullptr,
                                   nullptr) != MPG123_OK ||
      mpg123_open_handle(handle_, this) != MPG123_OK) {
    return AudioError::Unknown;
  }

  // Reading the first frame tells whether this is MPEG audio at all.
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK) {
    return sourceFailed_ ? AudioError::FileOpen : AudioError::FileFormat;
  }
  format_ = PcmFormat{static_cast<int>(rate), channels};

  // A full scan counts every frame, which together with the gapless header
  // makes the length exact; a stream that can't seek has no length.
  if (source_->CanSeek()) {
    if (mpg123_scan(handle_) != MPG123_OK) return AudioError::FileFormat;
    const off_t length = mpg123_length(handle_);
    lengthFrames_ = length < 0 ? 0 : length;
    if (lengthFrames_ == 0) return AudioError::NotAudio;
    // After a scan the library's synthesis does not start from the state a
    // fresh decode has, and the first frames come out a rounding step apart
    // from every other decoder of the file. Opening again starts clean.
    mpg123_close(handle_);
    if (!source_->SeekTo(0) || mpg123_open_handle(handle_, this) != MPG123_OK ||
        mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK) {
      return AudioError::Unknown;
    }
  }
  return AudioError::Ok;
}

std::int64_t Mpg123Decoder::Read(std::int16_t* samples, std::int64_t frames) {
  if (formatChanged_) return 0;
  auto* out = reinterpret_cast<unsigned char*>(samples);
  const std::size_t wanted = static_cast<std::size_t>(frames) * format_.FrameBytes();
  std::size_t filled = 0;
  while (filled < wanted) {
    std::size_t done = 0;
    const int status = mpg123_read(handle_, out + filled, wanted - filled, &done);
    filled += done;
    if (status == MPG123_OK) continue;
    if (status == MPG123_NEW_FORMAT) {
      long rate = 0;
      int channels = 0;
      int encoding = 0;
      mpg123_getformat(handle_, &rate, &channels, &encoding);
      if (PcmFormat{static_cast<int>(rate), channels} == format_) continue;
      formatChanged_ = true;
    }
    // MPG123_DONE, a damaged frame the library gave up on, or a format
    // change: the data ends here. Only a failing source is a read error.
    if (sourceFailed_ && filled == 0) return -1;
    break;
  }
  return static_cast<std::int64_t>(filled / format_.FrameBytes());
}

bool Mpg123Decoder::SeekToFrame(std::int64_t frame) {
  if (!source_->CanSeek() || frame < 0 || (lengthFrames_ >= 0 && frame > lengthFrames_)) {
    return false;
  }
  formatChanged_ = false;
  return mpg123_seek(handle_, static_cast<off_t>(frame), SEEK_SET) == static_cast<off_t>(frame);
}

ssize_t Mpg123Decoder::ReadCallback(void* self, void* buffer, std::size_t bytes) {
  auto* decoder = static_cast<Mpg123Decoder*>(self);
  const std::int64_t got = decoder->source_->Read(buffer, bytes);
  if (got < 0) decoder->sourceFailed_ = true;
  return static_cast<ssize_t>(got);
}

off_t Mpg123Decoder::SeekCallback(void* self, off_t offset, int whence) {
  auto* decoder = static_cast<Mpg123Decoder*>(self);
  ByteSource& source = *decoder->source_;
  std::int64_t target = offset;
  if (whence == SEEK_CUR) target += source.Position();
  if (whence == SEEK_END) {
    if (source.Size() < 0) return -1;
    target += source.Size();
  }
  return source.SeekTo(target) ? static_cast<off_t>(target) : -1;
}

}  // namespace tarvo::audio
