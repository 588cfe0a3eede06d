// The Ogg Vorbis decoder (libvorbisfile) on arbitrary bytes.
#include "decoder_fuzz.h"
#include "audio/vorbis_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tarvo::fuzz::FuzzDecoder<tarvo::audio::VorbisDecoder>(data, size);
}
