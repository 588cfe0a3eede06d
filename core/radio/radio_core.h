// The radio floor's layer of the program's state: the recording of a
// station and the audio layer a station's name is asked of. Window thread.
#pragma once

#include <string>

#include "playlist/playlist_core.h"

namespace tarvo {

class StreamRecorder;
namespace audio {
class AudioLibrary;
}

struct RadioCore : PlaylistCore {
  using PlaylistCore::PlaylistCore;

  // The audio layer, for asking a station its name outside playback; set by
  // the application.
  audio::AudioLibrary* audio = nullptr;
  // The recording of internet radio; set by the playback engine it taps.
  StreamRecorder* recorder = nullptr;
  // The title the playing station last sent (its StreamTitle, made safe to
  // show); empty while it has sent none. For the desktop's media controls.
  std::string streamTitle;
};

}  // namespace tarvo
