#include "app/status_timer.h"

#include <algorithm>

namespace {

// How far a status tick may move to share a wake-up with the level meter's
// round (every 20 ms): at most 10 ms, so that it always finds one, and never
// more than half its own period. The time text changes on the second as
// before; the tick's own period delays it more than this.
int SlackFor(int periodMs) { return std::min(10, periodMs / 2); }

}  // namespace

StatusTimer::StatusTimer(TickClock& clock)
    : clock_(clock), lane_(clock.AddLane([this] {
        if (tick_) tick_();
      })) {}

void StatusTimer::OnTick(std::function<void()> tick) { tick_ = std::move(tick); }

void StatusTimer::Resume() { clock_.Start(lane_, periodMs_, SlackFor(periodMs_)); }

// A running tick starts its new period afresh, as a restarted timer would.
void StatusTimer::SetPeriod(int milliseconds) {
  periodMs_ = milliseconds;
  if (clock_.Running(lane_)) Resume();
}
