#include "audio/decoder.h"

#include <cstring>

#include "audio/mpg123_decoder.h"
#include "audio/opus_decoder.h"
#include "audio/sndfile_decoder.h"
#include "audio/vorbis_decoder.h"

namespace tarvo::audio {

namespace {

enum class Container { Empty, Wav, Flac, Ogg, OggOpus, Other };

// The first packet of an Ogg stream starts after the 27 bytes of the page
// header and its segment table; Opus names itself there.
bool IsOggOpus(const unsigned char* head, std::int64_t size) {
  constexpr std::int64_t kSegmentCountAt = 26;
  if (size <= kSegmentCountAt) return false;
  const std::int64_t packetAt = kSegmentCountAt + 1 + head[kSegmentCountAt];
  return size >= packetAt + 8 && std::memcmp(head + packetAt, "OpusHead", 8) == 0;
}

// Decided by content, as a file's name may lie: WAV named ".mp3" plays as
// WAV, and text named ".ogg" is refused instead of being fed to a decoder.
Container SniffContainer(const unsigned char* head, std::int64_t size) {
  if (size <= 0) return Container::Empty;
  if (size >= 12 && (std::memcmp(head, "RIFF", 4) == 0 || std::memcmp(head, "RF64", 4) == 0) &&
      std::memcmp(head + 8, "WAVE", 4) == 0) {
    return Container::Wav;
  }
  if (size >= 4 && std::memcmp(head, "fLaC", 4) == 0) return Container::Flac;
  if (size >= 4 && std::memcmp(head, "OggS", 4) == 0) {
    return IsOggOpus(head, size) ? Container::OggOpus : Container::Ogg;
  }
  return Container::Other;
}

// Fills `head` as far as the source allows; the count read, -1 on failure.
std::int64_t ReadHead(ByteSource& source, unsigned char* head, std::size_t size) {
  std::size_t filled = 0;
  while (filled < size) {
    const std::int64_t got = source.Read(head + filled, size - filled);
    if (got < 0) return -1;
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  return static_cast<std::int64_t>(filled);
}

AudioError CheckFormat(const PcmFormat& format) {
  if (format.channels < 1 || format.channels > kMaxChannels) return AudioError::SampleFormat;
  if (format.rate < kMinSampleRate || format.rate > kMaxSampleRate) return AudioError::SampleRate;
  return AudioError::Ok;
}

}  // namespace

std::unique_ptr<Decoder> OpenDecoder(std::unique_ptr<ByteSource> source, AudioError& error) {
  // Enough for an Ogg page header with a full segment table and the first
  // packet's signature.
  unsigned char head[27 + 255 + 8];
  const std::int64_t headSize = ReadHead(*source, head, sizeof head);
  if (headSize < 0 || !source->SeekTo(0)) {
    error = headSize < 0 ? AudioError::FileOpen : AudioError::NotFile;
    return nullptr;
  }

  std::unique_ptr<Decoder> decoder;
  switch (SniffContainer(head, headSize)) {
    case Container::Empty:
      error = AudioError::FileFormat;
      return nullptr;
    case Container::Wav:
    case Container::Flac:
      decoder = SndfileDecoder::Open(std::move(source), error);
      break;
    case Container::Ogg:
      decoder = VorbisDecoder::Open(std::move(source), error);
      break;
    case Container::OggOpus:
      decoder = OpusDecoder::Open(std::move(source), error);
      break;
    case Container::Other:
      decoder = Mpg123Decoder::Open(std::move(source), error);
      break;
  }
  if (!decoder) return nullptr;
  error = CheckFormat(decoder->Format());
  if (error != AudioError::Ok) return nullptr;
  return decoder;
}

}  // namespace tarvo::audio
