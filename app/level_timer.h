// TVUThread on the window thread's event loop: a lane of the window thread's
// tick clock that runs the level meter's round every 20 ms while resumed. It starts suspended; the engine
// wakes it when an entry starts, and the round itself suspends it once the
// meter has fallen dark after a stop or pause.
//
// While no meter is seen (the window minimized, hidden in the tray or fully
// covered by another window, or the meter style hidden) the timer does not run even when resumed: its rounds
// would only wake the window thread. When a meter shows again a round runs
// at once from a dark meter, so that it shows the level of that moment
// rather than a fall from an old one.
#pragma once

#include <QList>
#include <QObject>
#include <functional>

#include "app/tick_clock.h"
#include "playback/level_meter.h"

class QWidget;

class LevelTimer : public QObject, public tarvo::TVUThread {
  Q_OBJECT

 public:
  explicit LevelTimer(TickClock& clock);

  // What each round runs.
  void OnTick(std::function<void()> tick);
  // Sleeps while none of the `meters` of `window` is seen;
  // `forgetShownLevels` runs before the round when one shows again.
  void FollowMeters(QWidget& window, const QList<QWidget*>& meters, std::function<void()> forgetShownLevels);
  // Another window covers the whole window, or part of it shows again.
  void SetWindowCovered(bool covered);

  void Suspend() override;
  void Resume() override;
  bool IsSuspended() const override { return !resumed_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool MeterSeen() const;
  void SetMeterSeen(bool seen);
  // Runs the lane exactly when resumed and seen.
  void Apply();

  TickClock& clock_;
  int lane_;
  std::function<void()> tick_;
  std::function<void()> forgetShownLevels_;
  QWidget* window_ = nullptr;
  QList<QWidget*> meters_;
  bool resumed_ = false;
  bool meterSeen_ = true;
  bool windowCovered_ = false;
};
