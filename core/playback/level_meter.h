// The stereo level meter: every 20 ms the peak of what is being heard lights
// LEDs by dB thresholds, and a louder peak than the one shown jumps up at
// once while a quieter one falls one threshold every second tick.
//
// Styles: 0 hidden, 1 the vertical 7-LED meter LevelMeter6, 2 the horizontal
// 14-LED meter LevelMeter14 with its scale panel. The window draws the LED
// counts of core.levelMeter and lays itself out from LevelMeterLayoutFor.
// Everything here runs on the window thread.
#pragma once

#include <cstdint>
#include <span>

#include "audio/audio_library.h"
#include "playback/playback_core.h"

namespace tarvo {

inline constexpr int kLevelMeterHidden = 0;
inline constexpr int kLevelMeter6Style = 1;
inline constexpr int kLevelMeter14Style = 2;
// The meters' Max: their LED counts.
inline constexpr int kLevelMeter6Leds = 7;
inline constexpr int kLevelMeter14Leds = 14;
// TVUThread's period.
inline constexpr int kLevelTickMs = 20;
// The full-scale peak, reached only by the sample -32768.
inline constexpr int kFullScaleLevel = 32768;

// A peak value and the LEDs lit from it on.
struct LevelThreshold {
  int level;
  int leds;
};

// The style's thresholds from the top; empty for style 0 and for any value
// that is no style.
std::span<const LevelThreshold> LevelThresholds(int style);

// The LED count of the first threshold from the top that `level` reaches; 0
// when it reaches none. The 14-step meter always lights at least one LED.
int LitSegments(int style, int level);
// One step down: the threshold below the first one `level` reaches; 0 below
// the second-lowest threshold, so from its lowest lit step the meter goes
// dark. 0 for a value that is no style, so that a meter can always go dark.
int NextLowerThreshold(int style, int level);

struct ChannelPeaks {
  int left = 0;
  int right = 0;
};

// The largest absolute values of the even (left) and odd (right) samples of
// interleaved 16-bit stereo; `mono` gives both sides the larger of the two.
ChannelPeaks PeakLevels(std::span<const std::int16_t> samples, bool mono);

// Stores `level` (one step lower with `decay`) as the side's displayed level
// and lights the shown meter's LEDs from it.
void ShowLevel(PlaybackCore& core, int level, bool left, bool decay);

// The second half of a tick: a peak at or above the shown one is shown at
// once, a lower one lets the shown one fall on a decay tick. True when an LED
// count changed, so that the meter needs painting.
bool ShowPeaks(PlaybackCore& core, ChannelPeaks peaks);

// One tick: reads about 21 ms of what `output` plays now without consuming
// it, and shows its peaks. An output that is not playing (paused, stopped,
// 0) gives silence, so the meter falls. True when an LED count changed.
bool LevelTick(PlaybackCore& core, audio::AudioLibrary& library, audio::AudioHandle output);

// TVUThread: while resumed, has LevelThreadRound run every kLevelTickMs. The
// window implements it with a timer, created suspended; tests tick by hand.
class TVUThread {
 public:
  virtual ~TVUThread() = default;
  virtual void Suspend() = 0;
  virtual void Resume() = 0;
  virtual bool IsSuspended() const = 0;
};

// StopPlayback, pause and minimizing to the tray: let the meter fall to dark,
// then sleep.
void RequestLevelMeterPause(PlaybackCore& core);
// A new entry, resume, and a restore while a channel is active.
void WakeLevelMeter(PlaybackCore& core, TVUThread& thread);
// One round of the thread: a tick unless the meter is hidden, then sleep
// when a pause was asked for and both sides are dark. True when an LED count
// changed.
bool LevelThreadRound(PlaybackCore& core, TVUThread& thread, audio::AudioLibrary& library, audio::AudioHandle output);

// The window shows again after it was minimized or hidden: the levels shown
// before are dropped, so that the next round shows the level heard now
// instead of a fall from an old one.
void ForgetDisplayedLevels(PlaybackCore& core);

// What the window shows and checks for a style.
struct LevelMeterLayout {
  bool labelVolumeVisible = false;
  bool levelMeter6Visible = false;
  // LevelMeter14 and PanelLevelMeter14 together.
  bool levelMeter14Visible = false;
  // Which of Level1Ac, Level2Ac, Level3Ac is checked: 0, 1 or 2.
  int checkedCommand = 0;
};
LevelMeterLayout LevelMeterLayoutFor(int style);

// Level1Ac (0), Level2Ac (1), Level3Ac (2) and the settings load. A value
// outside 0..2 (only a hand-edited "VUStyle" gives one) is taken as the
// default style 1. Stores "VUStyle" at once.
void ApplyLevelMeterStyle(PlaybackCore& core, int style);
// VUToggleAc: 0 to 1 to 2 to 0.
void ToggleLevelMeterStyle(PlaybackCore& core);

}  // namespace tarvo
