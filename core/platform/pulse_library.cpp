#include "platform/pulse_library.h"

#include <optional>
#include <vector>

#include "platform/library_names.h"
#include "platform/loaded_library.h"

namespace tarvo {

namespace {

constexpr char kFeature[] = "the PulseAudio output";

std::optional<PulseFunctions> Load() {
  const std::optional<std::vector<void*>> libraries = OpenLibraries({library_name::kPulse}, kFeature);
  if (!libraries) return std::nullopt;
  PulseFunctions pulse{};
#define TARVO_PULSE_RESOLVE(name) &&ResolveFunction(*libraries, #name, kFeature, pulse.name)
  if (!(true TARVO_PULSE_FUNCTIONS(TARVO_PULSE_RESOLVE))) return std::nullopt;
#undef TARVO_PULSE_RESOLVE
  return pulse;
}

}  // namespace

const PulseFunctions* Pulse() {
  static const std::optional<PulseFunctions> loaded = Load();
  return loaded ? &*loaded : nullptr;
}

}  // namespace tarvo
