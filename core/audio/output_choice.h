// Which output the layer plays through, from the environment variable
// TARVO_AUDIO_OUTPUT:
//   pulse (or unset/empty)  the PulseAudio server (PipeWire's too)
//   pulse:SERVER            that server address (for example unix:/run/x/native)
//   null                    no device; consumed in real time
//   wav:PATH                a WAV file of what would be heard, in real time
//   wav-fast:PATH           the same, as fast as it is produced
// Anything else opens no device: the player then says it can't open one.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "audio/output_device.h"

namespace tarvo::audio {

inline constexpr char kOutputVariable[] = "TARVO_AUDIO_OUTPUT";

struct OutputChoice {
  enum class Kind { Pulse, Null, Wav, WavFast, Invalid };
  Kind kind = Kind::Pulse;
  // The server address for Pulse (empty: the user's server), the path for
  // the WAV outputs, the text as given for Invalid.
  std::string argument;
};

OutputChoice ParseOutputChoice(std::string_view text);
OutputChoice OutputChoiceFromEnvironment();

// Window thread; may block on the sound server for a few seconds. Device 1
// is the default output, 2, 3, ... the server's outputs (only Pulse has
// more than one). Nothing and `error` set when it can't be opened.
std::unique_ptr<OutputDevice> OpenOutputDevice(const OutputChoice& choice, int device, AudioError& error);

// Window thread; may block like OpenOutputDevice. The description of device
// `device`; nothing past the last device.
std::optional<std::string> OutputDeviceDescription(const OutputChoice& choice, int device);

}  // namespace tarvo::audio
