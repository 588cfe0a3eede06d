// The 44-byte header of a PCM WAV file, as the WAV output and saved
// recordings write it.
#pragma once

#include <cstdint>
#include <string>

namespace tarvo {

inline constexpr std::uint32_t kWavHeaderBytes = 44;

struct WavFormat {
  int channels = 2;
  int rate = 44100;
  std::uint32_t bytesPerSecond = 176400;
  int bitsPerSample = 16;
};

// "RIFF", `riffSize`, "WAVE", the PCM format chunk, "data", `dataSize`.
std::string WavHeader(const WavFormat& format, std::uint32_t riffSize, std::uint32_t dataSize);

}  // namespace tarvo
