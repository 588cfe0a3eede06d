// A decoder turns the bytes of one byte source into 16-bit signed interleaved
// samples at the source's own rate and channel count. One library wrapper per
// implementation: Mpg123Decoder, VorbisDecoder, OpusDecoder, SndfileDecoder,
// FfmpegDecoder.
//
// A decoder is not thread-safe; its channel serialises every call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "audio/audio_error.h"
#include "audio/audio_types.h"
#include "audio/byte_source.h"

namespace tarvo::audio {

// Everything this layer plays is 16-bit signed, channels interleaved.
struct PcmFormat {
  int rate = 0;
  int channels = 0;

  int FrameBytes() const { return channels * 2; }
  std::int64_t BytesPerSecond() const { return static_cast<std::int64_t>(rate) * FrameBytes(); }
  bool operator==(const PcmFormat&) const = default;
};

class Decoder {
 public:
  virtual ~Decoder() = default;

  virtual PcmFormat Format() const = 0;
  // Exact length in frames, encoder delay and padding removed; -1 when the
  // source can't tell (a live stream).
  virtual std::int64_t LengthFrames() const = 0;
  // Up to `frames` frames into `samples` (frames × channels values). Returns
  // the frames delivered: fewer than asked only at the end of the data, 0
  // past it, -1 on a read error of the source.
  virtual std::int64_t Read(std::int16_t* samples, std::int64_t frames) = 0;
  // Moves so that the next Read starts at `frame`, to the sample; false when
  // the source can't seek or the frame is beyond the end.
  virtual bool SeekToFrame(std::int64_t frame) = 0;
  // True when the source holds 8-bit samples (delivered as 16-bit like all
  // others): such a file does not join its 16-bit neighbours.
  virtual bool EightBitSource() const { return false; }
  // The byte source, for file positions.
  virtual const ByteSource& Source() const = 0;

  // A live stream's Read gives what has arrived: fewer frames than asked,
  // even none, while more may come; its data is over once Ended says so.
  virtual bool IsLive() const { return false; }
  virtual bool Ended() const { return false; }
  // The texts of `kind` the data carries (a tag block of NUL-ended texts
  // ended by one more NUL); nothing when it has none. Same thread as Read,
  // except for a live stream, which answers on any thread.
  virtual std::optional<std::string> Tags([[maybe_unused]] TagKind kind) const { return std::nullopt; }
};

// The formats this layer accepts. Rates outside give SampleRate, channel
// counts outside SampleFormat.
inline constexpr int kMinSampleRate = 1000;
inline constexpr int kMaxSampleRate = 192000;
inline constexpr int kMaxChannels = 2;

// Opens a decoder on `source`, chosen by its first bytes, not by any name:
// "RIFF…WAVE" is WAV, "fLaC" is FLAC, "OggS" is Ogg Opus or Ogg FLAC by its
// first packet and Ogg Vorbis otherwise, ADTS AAC (also behind a
// short ID3 tag), MPEG-TS and MP4 ("ftyp") go to FFmpeg, anything else is
// tried as MPEG audio. Nothing and `error` set when the content is not playable:
// FileFormat for content of no known format (also an empty source), NotAudio
// for a known format holding no samples, SampleRate, SampleFormat, Unknown
// for a fault inside a decoder library. May block on a network source.
std::unique_ptr<Decoder> OpenDecoder(std::unique_ptr<ByteSource> source, AudioError& error);

}  // namespace tarvo::audio
