// The WAV file a recording is saved to: a 44-byte header and the temporary
// files' sample data joined behind it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "audio/wav_header.h"

namespace tarvo {

// With `create`, writes the header with the sizes 36 and 0 at the start of
// `file`; otherwise writes its size − 8 at offset 4 and its size − 44 at
// offset 40. False when a write fails or the file is too large for them.
bool WriteWavHeader(bool create, int file, const WavFormat& format);

// Writes the WAV file at `path`: the header, then each of the temporary
// files `parts` (numbers of files in the open `folder`) that exists, in
// order. It is written under a temporary name in the same folder and renamed
// over `path` once complete, so a failure (a full disk, a read error) never
// leaves a half-written file under the name: then nothing is left and false
// is returned. `betweenParts` runs before each part.
bool WriteJoinedWav(const std::string& path, const WavFormat& format, int folder, const std::vector<int>& parts,
                    const std::function<void()>& betweenParts);

}  // namespace tarvo
