#include "audio/sndfile_library.h"

#include <optional>
#include <vector>

#include "platform/library_names.h"
#include "platform/loaded_library.h"

namespace tarvo::audio {

namespace {

constexpr char kFeature[] = "playing WAV and FLAC files";

std::optional<SndfileFunctions> Load() {
  const std::optional<std::vector<void*>> libraries = OpenLibraries({library_name::kSndfile}, kFeature);
  if (!libraries) return std::nullopt;
  SndfileFunctions sndfile{};
#define TARVO_SNDFILE_RESOLVE(name) &&ResolveFunction(*libraries, #name, kFeature, sndfile.name)
  if (!(true TARVO_SNDFILE_FUNCTIONS(TARVO_SNDFILE_RESOLVE))) return std::nullopt;
#undef TARVO_SNDFILE_RESOLVE
  return sndfile;
}

}  // namespace

const SndfileFunctions* Sndfile() {
  static const std::optional<SndfileFunctions> loaded = Load();
  return loaded ? &*loaded : nullptr;
}

}  // namespace tarvo::audio
