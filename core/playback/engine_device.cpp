// Moving playback to another output device.
#include "playback/engine.h"
#include "settings/settings_store.h"

namespace tarvo {

void PlaybackEngine::SwitchOutputDevice(int device) {
  Core& core = *core_;
  WriteIniInteger(core, "General", "Device", device);
  // A closed device is opened on the new number by the next play.
  if (!deviceOpen_) return;
  const int index = core.playlist.CurrentIndex;
  const bool playing = outputStream_ != 0;
  const bool paused = IsPaused();
  const std::int64_t position = ElapsedBytes();
  StopPlayback(true);
  if (!playing || index < 0) return;
  EnsureAudioDevice();
  if (!deviceOpen_) {
    // The user has been told; the entry goes on from here at its next play.
    resumePoint_ = {index, position};
    return;
  }
  startPaused_ = paused;
  PlayEntry(index);
  startPaused_ = false;
  SeekTo(position);
  if (paused) ShowPaused();
}

}  // namespace tarvo
