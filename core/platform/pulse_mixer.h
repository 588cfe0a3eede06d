// The mixer reset on Linux: unmute the sound server's default output and set
// it to full volume, for users who lost their sound in the system mixer.
#pragma once

#include <string>

namespace tarvo {

// Window thread; blocks until the server answers (a few seconds at most).
// `server` empty: the user's server. False when no server answered or it
// refused; nothing is reported, as a mixer that rejects a value is ignored.
bool ResetPulseMixer(const std::string& server);

}  // namespace tarvo
