// Moving playback to another output device.
#include "playback/engine.h"
#include "settings/settings_store.h"

namespace tarvo {

// The current entry starts again on the new device at the place it had
// reached; the device is opened on the number just written.
void PlaybackEngine::SwitchOutputDevice(int device) {
  PlaybackCore& core = *core_;
  WriteSetting(core, setting::kDevice, device);
  const int index = core.playlist.CurrentIndex;
  const std::int64_t position = ElapsedBytes();
  StopPlayback(true);
  if (index < 0) return;
  EnsureAudioDevice();
  if (!deviceOpen_) {
    // The user has been told; the entry goes on from here at its next play.
    resumePoint_ = {index, position};
    return;
  }
  PlayEntry(index);
  if (outputStream_ != 0 && position > 0) SeekTo(position);
}

}  // namespace tarvo
