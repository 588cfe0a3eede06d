#include "radio/station_name.h"

#include "base/untrusted_text.h"
#include "radio/stream_keys.h"

namespace tarvo {

std::string LookupStationName(RadioCore& core, audio::AudioLibrary& library, const std::string& address) {
  audio::AudioHandle stream = 0;
  core.ui.RunWhileResponsive([&] { stream = library.StreamCreateURL(address, audio::kFlagStreamMetadata); });
  std::string name = FindKey("icy-name", ReadStreamKeys(library, stream)).value;
  library.StreamFree(stream);
  if (!name.empty() && name.front() == ' ') name.erase(0, 1);
  name = ShowableNetworkText(name);
  return name.empty() ? address : name;
}

}  // namespace tarvo
