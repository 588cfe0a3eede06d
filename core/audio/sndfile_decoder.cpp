#include "audio/sndfile_decoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "audio/sndfile_library.h"

namespace tarvo::audio {

namespace {

constexpr std::int64_t kFloatBlockFrames = 4096;

}  // namespace

struct SndfileCallbacks {
  static ByteSource& SourceOf(void* self) { return *static_cast<SndfileDecoder*>(self)->source_; }

  static sf_count_t Length(void* self) {
    const std::int64_t size = SourceOf(self).Size();
    return size < 0 ? 0 : size;
  }

  static sf_count_t Seek(sf_count_t offset, int whence, void* self) {
    ByteSource& source = SourceOf(self);
    std::int64_t target = offset;
    if (whence == SEEK_CUR) target += source.Position();
    if (whence == SEEK_END) target += Length(self);
    return source.SeekTo(target) ? target : -1;
  }

  static sf_count_t Read(void* buffer, sf_count_t bytes, void* self) {
    const std::int64_t got = SourceOf(self).Read(buffer, static_cast<std::size_t>(bytes));
    if (got < 0) {
      static_cast<SndfileDecoder*>(self)->sourceFailed_ = true;
      return 0;
    }
    return got;
  }

  static sf_count_t Tell(void* self) { return SourceOf(self).Position(); }
};

SndfileDecoder::~SndfileDecoder() {
  if (file_) LoadedSndfile().sf_close(file_);
}

std::unique_ptr<SndfileDecoder> SndfileDecoder::Open(std::unique_ptr<ByteSource> source,
                                                     AudioError& error) {
  if (!Sndfile()) {
    error = AudioError::Unknown;
    return nullptr;
  }
  std::unique_ptr<SndfileDecoder> decoder(new SndfileDecoder(std::move(source)));
  error = decoder->Start();
  if (error != AudioError::Ok) return nullptr;
  return decoder;
}

AudioError SndfileDecoder::Start() {
  SF_VIRTUAL_IO io{&SndfileCallbacks::Length, &SndfileCallbacks::Seek, &SndfileCallbacks::Read,
                   nullptr, &SndfileCallbacks::Tell};
  SF_INFO info{};
  file_ = LoadedSndfile().sf_open_virtual(&io, SFM_READ, &info, this);
  if (!file_) return sourceFailed_ ? AudioError::FileOpen : AudioError::FileFormat;

  const int container = info.format & SF_FORMAT_TYPEMASK;
  if (container != SF_FORMAT_WAV && container != SF_FORMAT_WAVEX && container != SF_FORMAT_RF64 &&
      container != SF_FORMAT_FLAC) {
    return AudioError::FileFormat;
  }
  format_ = PcmFormat{info.samplerate, info.channels};
  lengthFrames_ = info.frames;
  // A FLAC stream header that leaves the length open says SF_COUNT_MAX; such
  // a file can't be given an exact length, so it is refused with the empty.
  if (lengthFrames_ <= 0 || lengthFrames_ == SF_COUNT_MAX) return AudioError::NotAudio;
  LoadedSndfile().sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  const int coding = info.format & SF_FORMAT_SUBMASK;
  floatSamples_ = coding == SF_FORMAT_FLOAT || coding == SF_FORMAT_DOUBLE;
  eightBit_ = coding == SF_FORMAT_PCM_U8 || coding == SF_FORMAT_PCM_S8;
  if (floatSamples_) floatBlock_.resize(static_cast<std::size_t>(kFloatBlockFrames * info.channels));
  return AudioError::Ok;
}

std::int64_t SndfileDecoder::Read(std::int16_t* samples, std::int64_t frames) {
  std::int64_t filled = 0;
  while (filled < frames) {
    std::int16_t* out = samples + filled * format_.channels;
    sf_count_t got = 0;
    if (floatSamples_) {
      got = LoadedSndfile().sf_readf_float(file_, floatBlock_.data(),
                                           std::min<std::int64_t>(frames - filled, kFloatBlockFrames));
      for (sf_count_t i = 0; i < got * format_.channels; ++i) {
        const float scaled = std::clamp(floatBlock_[static_cast<std::size_t>(i)] * 32768.0f, -32768.0f, 32767.0f);
        out[i] = static_cast<std::int16_t>(std::lrint(scaled));
      }
    } else {
      got = LoadedSndfile().sf_readf_short(file_, out, frames - filled);
    }
    if (got <= 0) break;
    filled += got;
  }
  if (sourceFailed_ && filled == 0) return -1;
  return filled;
}

bool SndfileDecoder::SeekToFrame(std::int64_t frame) {
  if (frame < 0 || frame > lengthFrames_) return false;
  return LoadedSndfile().sf_seek(file_, frame, SEEK_SET) == frame;
}

}  // namespace tarvo::audio
