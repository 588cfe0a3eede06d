// The values the audio layer's callers hand in and get back.
#pragma once

#include <cstdint>
#include <functional>

namespace tarvo::audio {

// A channel (decoding channel or output stream); 0 is none and the result
// of a failed creation. Handles are never reused within a run.
using AudioHandle = std::uint32_t;
using DspHandle = std::uint32_t;

// Bit 31 of a stream procedure's result: the stream ends after these bytes.
inline constexpr std::uint32_t kStreamEnd = 0x80000000u;
// ChannelGetData's result on failure.
inline constexpr std::uint32_t kDataError = 0xFFFFFFFFu;
// ChannelInfo flags.
// Set for a decoding channel on 8-bit samples; every channel delivers 16-bit.
inline constexpr std::uint32_t kFlag8Bit = 0x1;
inline constexpr std::uint32_t kFlagDecodeOnly = 0x200000;

// Produces up to `wanted` bytes into `buffer` on the stream's audio thread;
// returns the bytes written, with kStreamEnd set to end the stream.
using StreamProcedure = std::function<std::uint32_t(AudioHandle stream, void* buffer, std::uint32_t wanted)>;
// Sees, and may change, each block of samples as it enters an output's
// buffer; runs on the stream's audio thread.
using DspProcedure = std::function<void(DspHandle dsp, AudioHandle channel, void* buffer, std::uint32_t bytes)>;

enum class ChannelState : int { Stopped = 0, Playing = 1, Stalled = 2, Paused = 3 };

enum class ConfigOption : int {
  BufferLength = 0,  // ms filled ahead by output streams created afterwards, 10..5000
  UpdatePeriod = 1,  // ms between refills (the size of a refill), 5..100
  MaxVolume = 3,     // the volume that means full scale, 1..10000
};

// The texts StreamGetTags gives: Vorbis comments of an Ogg stream's current
// chain, the HTTP response headers and the latest ICY metadata text.
enum class TagKind : int { Ogg = 2, Http = 4, Meta = 5 };

// StreamCreateURL flags.
inline constexpr std::uint32_t kFlagStreamMetadata = 0x400000;  // ask for ICY metadata

// Which byte count of a decoding channel's source StreamGetFilePosition gives.
enum class FilePositionMode : int { Decode = 0, Download = 1, End = 2, Refill = 3 };

struct ChannelInfo {
  std::uint32_t rate = 0;
  std::uint32_t channels = 0;
  std::uint32_t flags = 0;
};

struct ChannelAttributes {
  int rate = 0;
  int volume = 0;  // 0..MaxVolume
  int pan = 0;     // -100 (left) .. 100 (right)
};

}  // namespace tarvo::audio
