#include "audio/wav_header.h"

namespace tarvo {

namespace {

void PutLittleEndian(std::string& bytes, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string WavHeader(const WavFormat& format, std::uint32_t riffSize, std::uint32_t dataSize) {
  std::string header = "RIFF";
  PutLittleEndian(header, riffSize, 4);
  header += "WAVEfmt ";
  PutLittleEndian(header, 16, 4);
  PutLittleEndian(header, 1, 2);
  PutLittleEndian(header, static_cast<std::uint32_t>(format.channels), 2);
  PutLittleEndian(header, static_cast<std::uint32_t>(format.rate), 4);
  PutLittleEndian(header, format.bytesPerSecond, 4);
  PutLittleEndian(header, static_cast<std::uint32_t>(format.channels * format.bitsPerSample / 8), 2);
  PutLittleEndian(header, static_cast<std::uint32_t>(format.bitsPerSample), 2);
  header += "data";
  PutLittleEndian(header, dataSize, 4);
  return header;
}

}  // namespace tarvo
