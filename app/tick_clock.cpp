#include "app/tick_clock.h"

#include <algorithm>
#include <limits>

namespace {

// The timer fires on whole milliseconds; a lane due within this of a
// wake-up runs in it rather than needing a wake-up of its own.
constexpr qint64 kTimerGrainMs = 1;

}  // namespace

TickClock::TickClock(QObject* parent) : QObject(parent), timer_(this) {
  // The clock does its own grouping of wake-ups; the timer wakes exactly.
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setSingleShot(true);
  elapsed_.start();
  connect(&timer_, &QTimer::timeout, this, &TickClock::Wake);
}

int TickClock::AddLane(std::function<void()> tick) {
  lanes_.push_back(Lane{std::move(tick)});
  return static_cast<int>(lanes_.size()) - 1;
}

void TickClock::Start(int lane, int periodMs, int slackMs) {
  Lane& started = lanes_[static_cast<std::size_t>(lane)];
  started.running = true;
  started.periodMs = periodMs;
  started.slackMs = slackMs;
  started.dueMs = NowMs() + periodMs;
  Arm();
}

void TickClock::Stop(int lane) {
  lanes_[static_cast<std::size_t>(lane)].running = false;
  Arm();
}

bool TickClock::Running(int lane) const { return lanes_[static_cast<std::size_t>(lane)].running; }

void TickClock::Wake() {
  const qint64 now = NowMs();
  for (Lane& lane : lanes_) {
    if (!lane.running || lane.dueMs - lane.slackMs - kTimerGrainMs > now) continue;
    lane.dueMs += lane.periodMs;
    // After a stall of the window thread the lane goes on from now instead
    // of catching up in a burst.
    if (lane.dueMs <= now) lane.dueMs = now + lane.periodMs;
    // The tick may stop or restart any lane, this one too.
    lane.tick();
  }
  Arm();
}

void TickClock::Arm() {
  qint64 wake = std::numeric_limits<qint64>::max();
  for (const Lane& lane : lanes_) {
    if (lane.running) wake = std::min(wake, RunTime(lane));
  }
  if (wake == std::numeric_limits<qint64>::max()) {
    timer_.stop();
    return;
  }
  timer_.start(static_cast<int>(std::max<qint64>(wake - NowMs(), 0)));
}

qint64 TickClock::RunTime(const Lane& lane) const {
  if (lane.slackMs == 0) return lane.dueMs;
  qint64 shared = std::numeric_limits<qint64>::max();
  for (const Lane& other : lanes_) {
    if (&other == &lane || !other.running) continue;
    if (other.dueMs >= lane.dueMs && other.dueMs <= lane.dueMs + lane.slackMs) shared = std::min(shared, other.dueMs);
  }
  return shared == std::numeric_limits<qint64>::max() ? lane.dueMs : shared;
}
