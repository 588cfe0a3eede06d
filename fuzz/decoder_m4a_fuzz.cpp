// The FFmpeg decoder on arbitrary bytes, seeded with AAC and ALAC in MP4 and
// ADTS (edit lists, the iTunSMPB tag, counted lengths).
#include "decoder_fuzz.h"
#include "audio/ffmpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tarvo::fuzz::FuzzDecoder<tarvo::audio::FfmpegDecoder>(data, size);
}
