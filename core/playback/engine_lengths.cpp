// Measuring files without playing them, for the total playing time of a
// selection. Window thread; touches none of the playing entry's channels.
#include <cmath>

#include "media/probes.h"
#include "playback/engine.h"

namespace tarvo {

std::int64_t PlaybackEngine::FileLengthSeconds(const std::string& path) {
  const audio::AudioHandle decoder = library_.StreamCreateFile(path);
  if (decoder == 0) return -1;
  const double seconds = library_.ChannelBytes2Seconds(decoder, library_.StreamGetLength(decoder));
  library_.StreamFree(decoder);
  return seconds < 0 ? -1 : std::llround(seconds);
}

// A decoding channel needs no output device, so the device stays as it is.
FileDescription PlaybackEngine::DescribeFile(const std::string& path) {
  const audio::AudioHandle decoder = library_.StreamCreateFile(path);
  if (decoder == 0) return {};
  FileDescription description;
  description.format = PlayingInfoText(library_, path, decoder);
  description.coding = CodingText(library_, path, decoder);
  const double seconds = library_.ChannelBytes2Seconds(decoder, library_.StreamGetLength(decoder));
  if (seconds >= 0) description.lengthMs = std::llround(seconds * 1000);
  library_.StreamFree(decoder);
  return description;
}

}  // namespace tarvo
