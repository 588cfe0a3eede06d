// ReplayGain: the level a file's tags ask it to be played at, as a factor on
// its samples before the volume. REPLAYGAIN_TRACK_GAIN and _ALBUM_GAIN (Vorbis
// comments, APE items, ID3v2 TXXX frames) with their peaks; Opus's
// R128_TRACK_GAIN and _ALBUM_GAIN, which aim 5 dB lower and carry no peak.
#pragma once

#include <optional>
#include <string_view>

#include "media/file_tags.h"
#include "settings/replay_gain_mode.h"

namespace tarvo {

// "-6.50 dB", "+1.2 dB", "3"; nothing for a text that is not a number.
std::optional<double> ParseGainDb(std::string_view text);

// The factor for `mode`: 1 when off or when the file has no gain tag. Album
// mode falls back to the track's gain when the album's is missing. A peak
// lowers a boost so that the loudest sample stays within full scale.
double ReplayGainFactor(const FileTags& tags, ReplayGainMode mode);

}  // namespace tarvo
