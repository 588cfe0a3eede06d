// Exact lengths of the files FFmpeg decodes where the container alone does
// not give them: the iTunSMPB tag that iTunes and most AAC encoders write
// (encoder delay, padding and the original length), and the length of a
// stream without an index (ADTS), counted from its packets.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

struct AVFormatContext;

namespace tarvo::audio {

struct ItunesGapless {
  std::int64_t delayFrames = 0;
  std::int64_t paddingFrames = 0;
  std::int64_t lengthFrames = 0;
};

// " 00000000 00000840 000001C0 0000000000022C40 ...": hexadecimal words,
// the second the delay, the third the padding, the fourth the length.
// Nothing when the text has fewer words, one is not hexadecimal, or the
// length is 0.
std::optional<ItunesGapless> ParseItunSmpb(std::string_view text);

// The container's iTunSMPB text, when it has one.
std::optional<ItunesGapless> ItunesGaplessOf(const AVFormatContext& format);

// Reads every packet of `stream` to the end and adds up their durations, in
// the stream's time base, then moves back to the start; -1 when a packet
// has no duration or the move back fails. Blocks for the whole read.
std::int64_t CountStreamDuration(AVFormatContext& format, int stream);

}  // namespace tarvo::audio
