// The Ogg Opus decoder (libopusfile) on arbitrary bytes.
#include "decoder_fuzz.h"
#include "audio/opus_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tarvo::fuzz::FuzzDecoder<tarvo::audio::OpusDecoder>(data, size);
}
