// The playback operations that the playlist code calls. The engine implements
// it; until a device is involved (and in tests) a fake stands in.
#pragma once

namespace tarvo {

class PlaybackControl {
 public:
  virtual ~PlaybackControl() = default;

  // Window thread. Starts the entry at `index` of the playlist.
  virtual void PlayEntry(int index) = 0;
  // Window thread. Stops playing; `release` also frees the output device.
  virtual void StopPlayback(bool release) = 0;
  // Window thread. True from the moment the audio thread starts joining the
  // next entry until the window thread has completed the switch.
  virtual bool DecoderEnded() const = 0;
  // Window thread. The output is paused.
  virtual bool IsPaused() const = 0;
};

}  // namespace tarvo
