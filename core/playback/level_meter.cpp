#include "playback/level_meter.h"

#include <algorithm>
#include <cstdlib>

#include "settings/settings_store.h"

namespace tarvo {

namespace {

// Peak values of 16-bit samples at 0, -2, -5, -9, -15, -30 and -60 dB.
constexpr LevelThreshold kLevelMeter6Thresholds[] = {
    {32768, 7}, {26029, 6}, {18427, 5}, {11627, 4}, {5828, 3}, {1037, 2}, {33, 1},
};
// 0, -2, -4, -6, -8, -10, -12, -15, -20, -25, -30, -40, -60 dB and silence.
constexpr LevelThreshold kLevelMeter14Thresholds[] = {
    {32768, 14}, {26029, 13}, {20676, 12}, {16423, 11}, {13046, 10}, {10363, 9}, {8231, 8},
    {5828, 7},   {3277, 6},   {1843, 5},   {1037, 4},   {328, 3},    {33, 2},    {0, 1},
};

// A little more than one tick of sound, so that no peak between two ticks is
// missed.
constexpr double kReadSeconds = 0.021;
// Reads are whole frames of up to four bytes, two at a time.
constexpr std::int64_t kReadGranule = 8;

// Only a hand-edited "VUStyle" can hold anything else; it gets the default.
int ValidStyle(int style) {
  return style >= kLevelMeterHidden && style <= kLevelMeter14Style ? style : kLevelMeter6Style;
}

bool ShowsLeds(int style) { return style == kLevelMeter6Style || style == kLevelMeter14Style; }

// The peaks of what `output` plays now; silence when it cannot be read.
ChannelPeaks ReadHeardPeaks(LevelMeterState& meter, audio::AudioLibrary& library, audio::AudioHandle output) {
  const std::int64_t bytes = library.ChannelSeconds2Bytes(output, kReadSeconds);
  const std::int64_t wanted = bytes - bytes % kReadGranule;
  if (wanted <= 0) return {};
  const auto sampleCount = static_cast<std::size_t>(wanted / 2);
  if (meter.samples.size() < sampleCount) meter.samples.resize(sampleCount);
  const std::uint32_t got = library.ChannelGetData(output, meter.samples.data(), static_cast<std::uint32_t>(wanted));
  if (got == audio::kDataError) return {};
  audio::ChannelInfo info;
  const bool mono = library.ChannelGetInfo(output, info) && info.channels == 1;
  const std::size_t gotSamples = std::min<std::size_t>(got / 2, sampleCount);
  return PeakLevels(std::span<const std::int16_t>(meter.samples.data(), gotSamples), mono);
}

// A peak at or above the side's shown level is shown as it is; a lower one
// leaves the shown level, which falls a step on a decay tick.
void ShowSide(PlaybackCore& core, int peak, int displayed, bool left, bool decay) {
  if (peak < displayed) {
    ShowLevel(core, displayed, left, decay);
  } else {
    ShowLevel(core, peak, left, false);
  }
}

}  // namespace

std::span<const LevelThreshold> LevelThresholds(int style) {
  if (style == kLevelMeter6Style) return kLevelMeter6Thresholds;
  if (style == kLevelMeter14Style) return kLevelMeter14Thresholds;
  return {};
}

int LitSegments(int style, int level) {
  for (const LevelThreshold& threshold : LevelThresholds(style)) {
    if (level >= threshold.level) return threshold.leds;
  }
  return 0;
}

int NextLowerThreshold(int style, int level) {
  const std::span<const LevelThreshold> thresholds = LevelThresholds(style);
  for (std::size_t i = 0; i + 1 < thresholds.size(); ++i) {
    if (level >= thresholds[i].level) return thresholds[i + 1].level;
  }
  return 0;
}

ChannelPeaks PeakLevels(std::span<const std::int16_t> samples, bool mono) {
  ChannelPeaks peaks;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    // In int, so that -32768 counts as the full-scale 32768.
    const int magnitude = std::abs(static_cast<int>(samples[i]));
    int& side = i % 2 == 0 ? peaks.left : peaks.right;
    side = std::max(side, magnitude);
  }
  if (mono) peaks.left = peaks.right = std::max(peaks.left, peaks.right);
  return peaks;
}

void ShowLevel(PlaybackCore& core, int level, bool left, bool decay) {
  const int style = core.settings.levelMeterStyle;
  if (decay) level = NextLowerThreshold(style, level);
  LevelMeterState& meter = core.levelMeter;
  (left ? meter.DisplayedLevelLeft : meter.DisplayedLevelRight) = level;
  if (!ShowsLeds(style)) return;
  (left ? meter.ledsLeft : meter.ledsRight) = LitSegments(style, level);
}

bool ShowPeaks(PlaybackCore& core, ChannelPeaks peaks) {
  LevelMeterState& meter = core.levelMeter;
  const int ledsLeftBefore = meter.ledsLeft;
  const int ledsRightBefore = meter.ledsRight;
  bool decay = false;
  if (++meter.tickCounter >= 2) {
    meter.tickCounter = 0;
    decay = true;
  }
  ShowSide(core, peaks.left, meter.DisplayedLevelLeft, true, decay);
  ShowSide(core, peaks.right, meter.DisplayedLevelRight, false, decay);
  return meter.ledsLeft != ledsLeftBefore || meter.ledsRight != ledsRightBefore;
}

bool LevelTick(PlaybackCore& core, audio::AudioLibrary& library, audio::AudioHandle output) {
  // A paused output would give the same moment over and over and hold the
  // meter up; what is heard while paused is silence.
  ChannelPeaks peaks;
  if (output != 0 && library.ChannelIsActive(output) == audio::ChannelState::Playing) {
    peaks = ReadHeardPeaks(core.levelMeter, library, output);
  }
  return ShowPeaks(core, peaks);
}

void RequestLevelMeterPause(PlaybackCore& core) { core.levelMeter.pauseRequested = true; }

void WakeLevelMeter(PlaybackCore& core, TVUThread& thread) {
  core.levelMeter.pauseRequested = false;
  if (thread.IsSuspended()) thread.Resume();
}

bool LevelThreadRound(PlaybackCore& core, TVUThread& thread, audio::AudioLibrary& library, audio::AudioHandle output) {
  const bool changed = core.settings.levelMeterStyle > kLevelMeterHidden && LevelTick(core, library, output);
  // After a stop or pause the meter keeps falling until it is dark; only
  // then does the thread sleep.
  const LevelMeterState& meter = core.levelMeter;
  if (meter.pauseRequested && meter.DisplayedLevelLeft == 0 && meter.DisplayedLevelRight == 0) thread.Suspend();
  return changed;
}

void ForgetDisplayedLevels(PlaybackCore& core) {
  LevelMeterState& meter = core.levelMeter;
  meter.DisplayedLevelLeft = meter.DisplayedLevelRight = 0;
}

LevelMeterLayout LevelMeterLayoutFor(int style) {
  switch (ValidStyle(style)) {
    case kLevelMeterHidden:
      return {.labelVolumeVisible = true, .checkedCommand = 0};
    case kLevelMeter6Style:
      return {.labelVolumeVisible = true, .levelMeter6Visible = true, .checkedCommand = 1};
    default:
      return {.levelMeter14Visible = true, .checkedCommand = 2};
  }
}

void ApplyLevelMeterStyle(PlaybackCore& core, int style) {
  style = ValidStyle(style);
  core.settings.levelMeterStyle = style;
  LevelMeterState& meter = core.levelMeter;
  if (style == kLevelMeterHidden) {
    // A hidden meter is not ticked: levels left standing would never fall,
    // and the thread would never sleep after a stop.
    meter.DisplayedLevelLeft = meter.DisplayedLevelRight = 0;
    meter.ledsLeft = meter.ledsRight = 0;
  } else {
    // The meter now shown starts from the levels already displayed.
    meter.ledsLeft = LitSegments(style, meter.DisplayedLevelLeft);
    meter.ledsRight = LitSegments(style, meter.DisplayedLevelRight);
  }
  WriteSetting(core, setting::kLevelMeterStyle, style);
  core.ui.WindowTextsChanged();
}

void ToggleLevelMeterStyle(PlaybackCore& core) {
  const int style = core.settings.levelMeterStyle;
  ApplyLevelMeterStyle(core, style >= kLevelMeter14Style ? kLevelMeterHidden : style + 1);
}

}  // namespace tarvo
