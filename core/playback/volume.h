// The program's volume (0..1000, shown as a percentage), soft mute, the
// volume drag on the progress panel and the mixer reset. All window thread.
#pragma once

#include <functional>

#include "playback/playback_core.h"

namespace tarvo {

inline constexpr int kMaxVolume = 1000;

// The value for the audio library: a square-law curve, so that the lower
// half of the scale is usable (600 gives 360, 300 gives 90).
int VolumeToLibrary(int volume);

// The only way the volume changes: ends soft mute on a real change, clamps,
// applies the curve to the playing output and updates the three displays.
void SetVolume(PlaybackCore& core, int volume);

// The Pause key: drops the volume to `softMutePercent` of itself, and on the
// next press brings it back.
void ToggleSoftMute(PlaybackCore& core);

// A left-button drag on the volume label or the level meter's scale: 18
// volume units per pixel, upwards louder. `y` is in control coordinates;
// `screenY` at or above the screen's top edge gives full volume.
void BeginVolumeDrag(PlaybackCore& core, int y);
void MoveVolumeDrag(PlaybackCore& core, int y, int screenY);
void EndVolumeDrag(PlaybackCore& core);

// Tells the user what is about to happen, runs `resetSystemMixer` (which
// unmutes and maximises the system's output; may be empty) and sets full
// volume.
void ResetMixer(PlaybackCore& core, const std::function<void()>& resetSystemMixer);

}  // namespace tarvo
