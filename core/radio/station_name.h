// The station's own name for an address, asked of the station itself (the
// "icy-name" header). Window thread; the connection is made on another
// thread while the window keeps painting.
#pragma once

#include <string>

#include "audio/audio_library.h"
#include "radio/radio_core.h"

namespace tarvo {

// The name the station at `address` gives, one leading space removed, shown
// as safe text; the address itself when it has none or does not answer.
std::string LookupStationName(RadioCore& core, audio::AudioLibrary& library, const std::string& address);

}  // namespace tarvo
