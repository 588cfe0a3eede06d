#include "playback/replay_gain_level.h"

#include "media/file_tags.h"
#include "media/replay_gain.h"

namespace tarvo {

void ApplyReplayGain(audio::AudioLibrary& library, ReplayGainMode mode, const std::string& path,
                     std::initializer_list<audio::AudioHandle> decoders) {
  if (mode == ReplayGainMode::Off) return;
  const double factor = ReplayGainFactor(ReadFileTags(path), mode);
  if (factor == 1.0) return;
  for (const audio::AudioHandle decoder : decoders) {
    if (decoder != 0) library.ChannelSetGain(decoder, factor);
  }
}

}  // namespace tarvo
