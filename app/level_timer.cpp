#include "app/level_timer.h"

#include <QEvent>
#include <QWidget>

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

void LevelTimer::FollowWindow(QWidget& window, std::function<void()> forgetShownLevels) {
  window_ = &window;
  forgetShownLevels_ = std::move(forgetShownLevels);
  window.installEventFilter(this);
  WindowSeen(window.isVisible() && !window.isMinimized());
}

void LevelTimer::Suspend() {
  resumed_ = false;
  Apply();
}

void LevelTimer::Resume() {
  resumed_ = true;
  Apply();
}

bool LevelTimer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_) {
    switch (event->type()) {
      case QEvent::Hide:
        WindowSeen(false);
        break;
      case QEvent::Show:
        WindowSeen(!window_->isMinimized());
        break;
      case QEvent::WindowStateChange:
        WindowSeen(window_->isVisible() && !window_->isMinimized());
        break;
      default:
        break;
    }
  }
  return QObject::eventFilter(watched, event);
}

void LevelTimer::WindowSeen(bool seen) {
  if (seen == windowSeen_) return;
  windowSeen_ = seen;
  if (seen && resumed_) {
    if (forgetShownLevels_) forgetShownLevels_();
    // The round may suspend the timer again: paused or stopped while hidden.
    if (tick_) tick_();
  }
  Apply();
}

void LevelTimer::Apply() {
  const bool run = resumed_ && windowSeen_;
  if (run && !timer_.isActive()) timer_.start();
  if (!run && timer_.isActive()) timer_.stop();
}
