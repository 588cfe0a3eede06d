// The ReplayGain setting: which of a file's gain tags sets its level, as the
// settings file stores it ("off", "track", "album").
#pragma once

#include <string_view>

namespace tarvo {

enum class ReplayGainMode { Off = 0, Track = 1, Album = 2 };

// Any other text, in any letter case, is Off: playback stays at the files'
// own levels.
ReplayGainMode ReplayGainModeOf(std::string_view text);
std::string_view ReplayGainModeText(ReplayGainMode mode);

}  // namespace tarvo
