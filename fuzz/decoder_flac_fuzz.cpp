// The FLAC decoder (libsndfile) on arbitrary bytes.
#include "decoder_fuzz.h"
#include "audio/sndfile_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tarvo::fuzz::FuzzDecoder<tarvo::audio::SndfileDecoder>(data, size);
}
