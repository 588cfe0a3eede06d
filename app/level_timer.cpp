#include "app/level_timer.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>

LevelTimer::LevelTimer(TickClock& clock)
    : clock_(clock), lane_(clock.AddLane([this] {
        if (tick_) tick_();
      })) {}

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
  // The meter's frames keep their even pace: the status tick moves to meet
  // them, never the other way round.
  if (run && !clock_.Running(lane_)) clock_.Start(lane_, tarvo::kLevelTickMs, 0);
  if (!run && clock_.Running(lane_)) clock_.Stop(lane_);
}
