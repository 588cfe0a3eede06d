#include "platform/pulse_library.h"

#include <optional>

#include "platform/library_names.h"
#include "platform/loaded_library.h"

namespace tarvo {

namespace {

constexpr char kFeature[] = "the PulseAudio output";

std::optional<PulseFunctions> Load() {
  return LoadFunctionTable<PulseFunctions>({library_name::kPulse}, kFeature, [](auto resolve, PulseFunctions& table) {
    return true TARVO_PULSE_FUNCTIONS(TARVO_RESOLVE_FUNCTION);
  });
}

}  // namespace

const PulseFunctions* Pulse() {
  static const std::optional<PulseFunctions> loaded = Load();
  return loaded ? &*loaded : nullptr;
}

}  // namespace tarvo
