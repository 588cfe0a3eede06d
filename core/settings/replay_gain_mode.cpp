#include "settings/replay_gain_mode.h"

#include "base/text.h"

namespace tarvo {

ReplayGainMode ReplayGainModeOf(std::string_view text) {
  const std::string lower = AsciiLowerCopy(text);
  if (lower == "track") return ReplayGainMode::Track;
  if (lower == "album") return ReplayGainMode::Album;
  return ReplayGainMode::Off;
}

std::string_view ReplayGainModeText(ReplayGainMode mode) {
  switch (mode) {
    case ReplayGainMode::Track:
      return "track";
    case ReplayGainMode::Album:
      return "album";
    case ReplayGainMode::Off:
      break;
  }
  return "off";
}

}  // namespace tarvo
