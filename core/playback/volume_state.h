// Soft mute and the volume drag; the volume itself is the setting
// `RuntimeSettings::volume`. Window thread only.
#pragma once

namespace tarvo {

struct VolumeState {
  // The volume to return to when soft mute ends; -1 while soft mute is off.
  int SoftMuteSaved = -1;
  // A drag on the volume label or the meter's scale: pointer y (control
  // coordinates) and volume where it started.
  bool dragging = false;
  int dragStartY = 0;
  int dragStartVolume = 0;
};

}  // namespace tarvo
