// Whether an entry can be played, asked of the audio layer before the
// playing entry is stopped, and the warning for each reason.
#pragma once

#include <string>

#include "audio/audio_library.h"

namespace tarvo {

inline constexpr int kProbePlayable = 0;
inline constexpr int kProbeFileNotFound = 1;
inline constexpr int kProbeUnsupportedFormat = 2;
inline constexpr int kProbeIllegalSampleRate = 4;
inline constexpr int kProbeNotAudio = 5;
inline constexpr int kProbeUnsupportedSampleFormat = 6;
inline constexpr int kProbeCantOpen = 7;
inline constexpr int kProbeNoOutputForFormat = 8;
inline constexpr int kProbeUnknown = 10;

// Streams and playlist files are not probed (0). A file must exist, open as
// an audio decoder with a length above 0, and fit an output stream.
// `procedure` is the stream procedure of the test output stream.
int ProbeEntryWith(audio::AudioLibrary& library, const std::string& entry, const audio::StreamProcedure& procedure);

// The warning that precedes the entry text for a failed probe, for example
// "File not found.\r\r"; empty for 0.
std::string ProbeWarning(int code);

}  // namespace tarvo
