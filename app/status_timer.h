// TStatusThread on the window thread's event loop: a lane of the window
// thread's tick clock that runs the status tick every tick period while
// resumed.
#pragma once

#include <functional>

#include "app/tick_clock.h"
#include "playback/status_thread.h"

class StatusTimer : public tarvo::TStatusThread {
 public:
  explicit StatusTimer(TickClock& clock);

  // What each tick runs.
  void OnTick(std::function<void()> tick);

  void Suspend() override { clock_.Stop(lane_); }
  void Resume() override;
  bool IsSuspended() const override { return !clock_.Running(lane_); }
  void SetPeriod(int milliseconds) override;

 private:
  TickClock& clock_;
  int lane_;
  int periodMs_ = 33;
  std::function<void()> tick_;
};
