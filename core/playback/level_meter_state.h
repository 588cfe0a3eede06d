// What the level meter shows and the state of its 20 ms tick, owned by the
// window thread. The style itself is RuntimeSettings::levelMeterStyle.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvo {

struct LevelMeterState {
  // The peaks (0..32768) the meter shows now; they fall one threshold at a
  // time when the sound gets quieter.
  int DisplayedLevelLeft = 0;
  int DisplayedLevelRight = 0;
  // LEDs lit on the shown meter: its Position (left) and Position2 (right).
  int ledsLeft = 0;
  int ledsRight = 0;
  // Every second tick is a decay tick.
  int tickCounter = 0;
  // Set by stop, pause and minimize: the tick sleeps once the meter is dark.
  bool pauseRequested = false;
  // The samples of the last read; grown as needed, never shrunk.
  std::vector<std::int16_t> samples;
};

}  // namespace tarvo
