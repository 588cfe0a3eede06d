#include "audio/decoder.h"

#include <cstring>
#include <string_view>

#include "audio/ffmpeg_decoder.h"
#include "audio/mpg123_decoder.h"
#include "audio/opus_decoder.h"
#include "audio/sndfile_decoder.h"
#include "audio/vorbis_decoder.h"

namespace tarvo::audio {

namespace {

enum class Container { Empty, Wav, Flac, Ogg, OggOpus, Ffmpeg, Other };

constexpr std::size_t kTsPacketBytes = 188;

// An ADTS header: the 12-bit sync word and layer 0, where MPEG audio frames
// carry a layer of 1 to 3.
bool IsAdts(const unsigned char* at, std::int64_t size) {
  return size >= 2 && at[0] == 0xFF && (at[1] & 0xF6) == 0xF0;
}

// The bytes an ID3v2 tag at the start takes, with its header and footer;
// 0 when there is none.
std::int64_t Id3Bytes(const unsigned char* head, std::int64_t size) {
  if (size < 10 || std::memcmp(head, "ID3", 3) != 0) return 0;
  std::int64_t bytes = 0;
  for (int i = 6; i < 10; ++i) bytes = (bytes << 7) | (head[i] & 0x7F);
  return 10 + bytes + ((head[5] & 0x10) ? 10 : 0);
}

bool IsTransportStream(const unsigned char* head, std::int64_t size) {
  return size > static_cast<std::int64_t>(2 * kTsPacketBytes) && head[0] == 0x47 &&
         head[kTsPacketBytes] == 0x47 && head[2 * kTsPacketBytes] == 0x47;
}

// The first packet of an Ogg stream starts after the 27 bytes of the page
// header and its segment table; Opus ("OpusHead") and FLAC ("\x7FFLAC")
// name themselves there.
bool OggFirstPacketIs(const unsigned char* head, std::int64_t size, std::string_view signature) {
  constexpr std::int64_t kSegmentCountAt = 26;
  if (size <= kSegmentCountAt) return false;
  const std::int64_t packetAt = kSegmentCountAt + 1 + head[kSegmentCountAt];
  return size >= packetAt + static_cast<std::int64_t>(signature.size()) &&
         std::memcmp(head + packetAt, signature.data(), signature.size()) == 0;
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
    if (OggFirstPacketIs(head, size, "OpusHead")) return Container::OggOpus;
    // FLAC in Ogg (".oga") goes to FFmpeg, whose Ogg demuxer knows it.
    if (OggFirstPacketIs(head, size, "\x7F" "FLAC")) return Container::Ffmpeg;
    return Container::Ogg;
  }
  // AAC in ADTS (a station, or an HLS segment behind its ID3 time stamp),
  // MPEG-TS and MP4 go to FFmpeg. An ID3 tag too long to look past is
  // MP3's: the only AAC files it could hide are rare.
  const std::int64_t id3 = Id3Bytes(head, size);
  if (id3 < size && IsAdts(head + id3, size - id3)) return Container::Ffmpeg;
  if (IsTransportStream(head, size)) return Container::Ffmpeg;
  if (size >= 8 && std::memcmp(head + 4, "ftyp", 4) == 0) return Container::Ffmpeg;
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
  // packet's signature, and for three MPEG-TS packets.
  unsigned char head[1024];
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
    case Container::Ffmpeg:
      decoder = FfmpegDecoder::Open(std::move(source), error);
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
