// TStatusThread for tests that run the status tick by hand: it only records
// whether the engine has it running and at which period.
#pragma once

#include "playback/status_thread.h"

namespace tarvo::testing {

class ManualStatusThread : public TStatusThread {
 public:
  void Suspend() override { suspended = true; }
  void Resume() override { suspended = false; }
  bool IsSuspended() const override { return suspended; }
  void SetPeriod(int milliseconds) override { periodMs = milliseconds; }

  // Created suspended, like the real one.
  bool suspended = true;
  int periodMs = 0;
};

}  // namespace tarvo::testing
