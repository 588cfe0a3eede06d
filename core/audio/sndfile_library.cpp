#include "audio/sndfile_library.h"

#include <optional>

#include "platform/library_names.h"
#include "platform/loaded_library.h"

namespace tarvo::audio {

namespace {

constexpr char kFeature[] = "playing WAV and FLAC files";

std::optional<SndfileFunctions> Load() {
  return LoadFunctionTable<SndfileFunctions>(
      {library_name::kSndfile}, kFeature,
      [](auto resolve, SndfileFunctions& table) { return true TARVO_SNDFILE_FUNCTIONS(TARVO_RESOLVE_FUNCTION); });
}

}  // namespace

const SndfileFunctions* Sndfile() {
  static const std::optional<SndfileFunctions> loaded = Load();
  return loaded ? &*loaded : nullptr;
}

}  // namespace tarvo::audio
