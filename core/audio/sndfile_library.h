// libsndfile, loaded the first time a WAV or FLAC file is opened (see
// platform/loaded_library.h): it brings the Vorbis, Opus and MP3 encoders,
// which a start has no use for.
#pragma once

#include <sndfile.h>

#include "platform/loaded_library.h"

namespace tarvo::audio {

// The entry points the program calls.
#define TARVO_SNDFILE_FUNCTIONS(X) \
  X(sf_open_virtual) X(sf_close) X(sf_command) X(sf_readf_float) X(sf_readf_short) X(sf_seek)

struct SndfileFunctions {
  TARVO_SNDFILE_FUNCTIONS(TARVO_FUNCTION_TABLE_MEMBER)
};

// Any thread: the library, loaded once for the process. Null when it is
// missing or lacks an entry point.
const SndfileFunctions* Sndfile();

// The library, for code that runs only once Sndfile() found it.
inline const SndfileFunctions& LoadedSndfile() { return *Sndfile(); }

}  // namespace tarvo::audio
