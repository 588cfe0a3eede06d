// The playback floor's layer of the program's state: play modes and shuffle
// history, volume, the seek bar and the level meter. Window thread; what the
// audio thread shares with it is guarded by the engine's lock.
#pragma once

#include "playback/level_meter_state.h"
#include "playback/sequencing_state.h"
#include "playback/volume_state.h"
#include "radio/progress_state.h"
#include "radio/radio_core.h"

namespace tarvo {

struct PlaybackCore : RadioCore {
  using RadioCore::RadioCore;

  SequencingState sequencing;
  VolumeState volume;
  ProgressState progress;
  LevelMeterState levelMeter;
};

}  // namespace tarvo
