// The sleep timer: counts down the minutes the user gave, fades the sound out
// over the last 50 seconds, then ends the program or asks the system to power
// off. The window that shows it drives the count once per second. Window
// thread only.
#pragma once

#include <functional>
#include <string>

#include "core.h"

namespace tarvo {

class SleepTimer {
 public:
  // `endProgram` ends the program the way closing the main window does.
  SleepTimer(Core& core, std::function<void()> endProgram);

  // Starts counting down `minutesText` whole minutes. Text that is no whole
  // number says "No valid entry." and starts nothing (false).
  bool Start(const std::string& minutesText);
  // One second passed. True while the time is not up; at 50 seconds left the
  // output starts sliding to silence. When it returns false the timer has
  // stopped and Expire is due, once the window is closed.
  bool Tick();
  // The time is up: asks for the power-off when `powerOff`, otherwise ends
  // the program. A refused power-off leaves the program running, faded out.
  void Expire(bool powerOff);
  // The window closed before the end: a running timer stops and says so. A
  // fade already started is not undone.
  void Abort();

  bool Running() const { return running_; }
  // Minutes, ":" and two digits of seconds: 1800 seconds show as "30:00".
  std::string TimeLeftText() const;

 private:
  Core& core_;
  std::function<void()> endProgram_;
  // Not reset when the window opens again; only a valid start sets it.
  long long secondsLeft_ = 0;
  bool running_ = false;
};

}  // namespace tarvo
