// Playback for a program run without the audio engine: nothing plays, so no
// decoder is ever busy and nothing is ever paused.
#pragma once

#include "playback/playback_control.h"

namespace tarvo {

class IdlePlayback : public PlaybackControl {
 public:
  void PlayEntry(int) override {}
  void StopPlayback(bool) override {}
  bool DecoderEnded() const override { return false; }
  bool IsPaused() const override { return false; }
};

}  // namespace tarvo
