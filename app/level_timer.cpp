#include "app/level_timer.h"

LevelTimer::LevelTimer(QObject* parent) : QObject(parent), timer_(this) {
  // The meter is the least important work of the window: a coarse timer
  // lets the event loop group its wake-ups with others'.
  timer_.setTimerType(Qt::CoarseTimer);
  timer_.setInterval(tarvo::kLevelTickMs);
  connect(&timer_, &QTimer::timeout, this, [this] {
    if (tick_) tick_();
  });
}

void LevelTimer::OnTick(std::function<void()> tick) { tick_ = std::move(tick); }
