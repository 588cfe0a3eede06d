#include "app/level_timer.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>

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

void LevelTimer::FollowMeters(QWidget& window, const QList<QWidget*>& meters,
                              std::function<void()> forgetShownLevels) {
  window_ = &window;
  meters_ = meters;
  forgetShownLevels_ = std::move(forgetShownLevels);
  window.installEventFilter(this);
  for (QWidget* meter : meters_) meter->installEventFilter(this);
  SetMeterSeen(MeterSeen());
}

void LevelTimer::SetWindowCovered(bool covered) {
  windowCovered_ = covered;
  if (window_) SetMeterSeen(MeterSeen());
}

void LevelTimer::Suspend() {
  resumed_ = false;
  Apply();
}

void LevelTimer::Resume() {
  resumed_ = true;
  Apply();
}

// A hidden window hides its meters too; a minimized one only changes its
// state.
bool LevelTimer::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::Show || type == QEvent::Hide || type == QEvent::WindowStateChange) SetMeterSeen(MeterSeen());
  return QObject::eventFilter(watched, event);
}

bool LevelTimer::MeterSeen() const {
  if (windowCovered_ || window_->isMinimized()) return false;
  return std::any_of(meters_.begin(), meters_.end(), [](const QWidget* meter) { return meter->isVisible(); });
}

void LevelTimer::SetMeterSeen(bool seen) {
  if (seen == meterSeen_) return;
  meterSeen_ = seen;
  if (seen && resumed_) {
    if (forgetShownLevels_) forgetShownLevels_();
    // The round may suspend the timer again: paused or stopped meanwhile.
    if (tick_) tick_();
  }
  Apply();
}

void LevelTimer::Apply() {
  const bool run = resumed_ && meterSeen_;
  if (run && !timer_.isActive()) timer_.start();
  if (!run && timer_.isActive()) timer_.stop();
}
