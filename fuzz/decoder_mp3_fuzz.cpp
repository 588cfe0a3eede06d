// The MPEG audio decoder (libmpg123) on arbitrary bytes.
#include "decoder_fuzz.h"
#include "audio/mpg123_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tarvo::fuzz::FuzzDecoder<tarvo::audio::Mpg123Decoder>(data, size);
}
