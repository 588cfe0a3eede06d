#include "playback/volume.h"

#include <algorithm>
#include <string>

namespace tarvo {

namespace {

constexpr int kDragUnitsPerPixel = 18;

constexpr char kResetMixerNotice[] =
    "This operation will unmute the wave and main output channel.\r"
    "Panning/volume will be resetted/maximized.\r"
    "Mind your speakers.";

// numerator / denominator rounded to the nearest integer, halves to even;
// both non-negative.
int DivideRoundingHalfToEven(long long numerator, long long denominator) {
  long long quotient = numerator / denominator;
  const long long twiceRemainder = 2 * (numerator % denominator);
  if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0)) ++quotient;
  return static_cast<int>(quotient);
}

}  // namespace

int VolumeToLibrary(int volume) {
  volume = std::clamp(volume, 0, kMaxVolume);
  if (volume <= 10) return volume / 10;
  return DivideRoundingHalfToEven(static_cast<long long>(volume) * volume, kMaxVolume);
}

void SetVolume(PlaybackCore& core, int volume) {
  volume = std::clamp(volume, 0, kMaxVolume);
  // Only a change the user can hear ends soft mute: pressing volume down at
  // 0 leaves the volume to return to alone.
  if (volume != core.settings.volume) core.volume.SoftMuteSaved = -1;
  core.settings.volume = volume;
  core.playback.ApplyVolume(VolumeToLibrary(volume));

  const int percent = volume / 10;
  core.texts.labelVolume = std::to_string(percent) + " %";
  core.texts.volumeBarPosition = percent;
  core.texts.Panel(StatusPanel::Volume) = VolumePanelText(volume);
  core.ui.WindowTextsChanged();
}

void ToggleSoftMute(PlaybackCore& core) {
  VolumeState& state = core.volume;
  if (state.SoftMuteSaved == -1) {
    const int current = core.settings.volume;
    const int percent = std::clamp(core.settings.softMutePercent, 0, 100);
    SetVolume(core, DivideRoundingHalfToEven(static_cast<long long>(current) * percent, 100));
    state.SoftMuteSaved = current;
  } else {
    SetVolume(core, state.SoftMuteSaved);
  }
}

void BeginVolumeDrag(PlaybackCore& core, int y) {
  VolumeState& state = core.volume;
  state.dragging = true;
  state.dragStartY = y;
  state.dragStartVolume = core.settings.volume;
}

void MoveVolumeDrag(PlaybackCore& core, int y, int screenY) {
  const VolumeState& state = core.volume;
  if (!state.dragging) return;
  int volume = (state.dragStartY - y) * kDragUnitsPerPixel + state.dragStartVolume;
  // A pointer pushed against the top of the screen cannot move further up,
  // so it means full volume whatever the distance.
  if (screenY <= 0) volume = kMaxVolume;
  SetVolume(core, volume);
}

void EndVolumeDrag(PlaybackCore& core) {
  core.volume.dragging = false;
  core.volume.SoftMuteSaved = -1;
}

void ResetMixer(PlaybackCore& core, const std::function<void()>& resetSystemMixer) {
  core.ui.ShowMessage(MessageKind::Information, kResetMixerNotice);
  if (resetSystemMixer) resetSystemMixer();
  SetVolume(core, kMaxVolume);
}

}  // namespace tarvo
