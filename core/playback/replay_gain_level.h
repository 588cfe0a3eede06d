// Levels a file entry's decoding channels by its ReplayGain tags before they
// reach the output. Window thread: the tags are read as the entry opens.
#pragma once

#include <initializer_list>
#include <string>

#include "audio/audio_library.h"
#include "settings/replay_gain_mode.h"

namespace tarvo {

// Reads the tags of `path` only when `mode` is not Off; a file without a
// gain tag keeps its own level.
void ApplyReplayGain(audio::AudioLibrary& library, ReplayGainMode mode, const std::string& path,
                     std::initializer_list<audio::AudioHandle> decoders);

}  // namespace tarvo
