// TStatusThread: while resumed, has the window thread run the status tick
// every tick period. The window side implements it with a timer; tests tick
// by hand. Window thread.
#pragma once

namespace tarvo {

class TStatusThread {
 public:
  virtual ~TStatusThread() = default;
  virtual void Suspend() = 0;
  virtual void Resume() = 0;
  virtual bool IsSuspended() const = 0;
  virtual void SetPeriod(int milliseconds) = 0;
};

}  // namespace tarvo
