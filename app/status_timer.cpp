#include "app/status_timer.h"

StatusTimer::StatusTimer(QObject* parent) : QObject(parent), timer_(this) {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(33);
  connect(&timer_, &QTimer::timeout, this, [this] {
    if (tick_) tick_();
  });
}

void StatusTimer::OnTick(std::function<void()> tick) { tick_ = std::move(tick); }
