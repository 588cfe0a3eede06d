#include "media/probes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string_view>

#include "base/text.h"
#include "media/file_tags.h"
#include "playlist/entry.h"

namespace tarvo {

namespace {

// Uses `handle`, or a decoding channel opened on `path` for the call.
class ProbeChannel {
 public:
  ProbeChannel(audio::AudioLibrary& library, const std::string& path, audio::AudioHandle handle)
      : library_(library), handle_(handle ? handle : library.StreamCreateFile(path)), owned_(handle == 0) {}
  ~ProbeChannel() {
    if (owned_) library_.StreamFree(handle_);
  }
  ProbeChannel(const ProbeChannel&) = delete;
  ProbeChannel& operator=(const ProbeChannel&) = delete;

  audio::AudioHandle Handle() const { return handle_; }
  audio::ChannelInfo Info() const {
    audio::ChannelInfo info;
    if (!library_.ChannelGetInfo(handle_, info)) info = {};
    return info;
  }

 private:
  audio::AudioLibrary& library_;
  audio::AudioHandle handle_;
  bool owned_;
};

}  // namespace

int SampleRateOf(audio::AudioLibrary& library, const std::string& path, audio::AudioHandle handle) {
  const ProbeChannel channel(library, path, handle);
  audio::ChannelAttributes attributes;
  return library.ChannelGetAttributes(channel.Handle(), attributes) ? attributes.rate : 0;
}

bool IsStereo(audio::AudioLibrary& library, const std::string& path, audio::AudioHandle handle) {
  return ProbeChannel(library, path, handle).Info().channels != 1;
}

bool Is16Bit(audio::AudioLibrary& library, const std::string& path, audio::AudioHandle handle) {
  return (ProbeChannel(library, path, handle).Info().flags & audio::kFlag8Bit) == 0;
}

int BitRateOf(audio::AudioLibrary& library, const std::string& path, audio::AudioHandle handle) {
  const ProbeChannel channel(library, path, handle);
  const std::int64_t fileBytes = library.StreamGetFilePosition(channel.Handle(), audio::FilePositionMode::End);
  const double seconds = library.ChannelBytes2Seconds(channel.Handle(), library.StreamGetLength(channel.Handle()));
  if (fileBytes <= 0 || !(seconds > 0)) return 0;
  // nearbyint rounds halves to even in the default rounding mode.
  return static_cast<int>(std::nearbyint(static_cast<double>(fileBytes) / seconds * 8 / 1000));
}

int WavBitsOf(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  unsigned char header[44];
  if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return 0;
  return header[34] | (header[35] << 8);
}

int FlacBitsOf(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  // "fLaC", the block header, then STREAMINFO: the sample width minus one
  // is the five bits after the rate's 20 and the channels' 3, from byte 20.
  unsigned char header[22];
  if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return 0;
  if (header[0] != 'f' || header[1] != 'L' || header[2] != 'a' || header[3] != 'C' || (header[4] & 0x7F) != 0) return 0;
  return (((header[20] & 0x01) << 4) | (header[21] >> 4)) + 1;
}

std::string PlayingInfoText(audio::AudioLibrary& library, const std::string& path, audio::AudioHandle handle) {
  const std::string extension = AsciiLowerCopy(ExtensionOf(path));
  const bool sampleForm = extension == ".wav" || extension == ".flac";
  constexpr std::string_view kBitRateForm[] = {".mp3", ".ogg", ".opus", ".oga", ".m4a", ".m4b", ".mp4", ".aac"};
  if (!sampleForm && std::find(std::begin(kBitRateForm), std::end(kBitRateForm), extension) == std::end(kBitRateForm)) {
    return {};
  }
  const char* channels = IsStereo(library, path, handle) ? " Stereo" : " Mono";
  if (sampleForm) {
    const int bits = extension == ".wav" ? WavBitsOf(path) : FlacBitsOf(path);
    return std::to_string(SampleRateOf(library, path, handle)) + " Hz " + std::to_string(bits) + " bit" + channels;
  }
  return std::to_string(BitRateOf(library, path, handle)) + " Kbps" + channels;
}

std::string CodingText(audio::AudioLibrary& library, const std::string& path, audio::AudioHandle handle) {
  const FileTags tags = ReadFileTags(path);
  std::string text = tags.codec.empty() ? "" : tags.codec + ", ";
  text += std::to_string(SampleRateOf(library, path, handle)) + " Hz, ";
  if (tags.bitsPerSample > 0) text += std::to_string(tags.bitsPerSample) + " bit, ";
  return text + (IsStereo(library, path, handle) ? "Stereo" : "Mono");
}

}  // namespace tarvo
