// TVUThread on the window thread's event loop: a timer that runs the level
// meter's round every 20 ms while resumed. It starts suspended; the engine
// wakes it when an entry starts, and the round itself suspends it once the
// meter has fallen dark after a stop or pause.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "playback/level_meter.h"

class LevelTimer : public QObject, public tarvo::TVUThread {
  Q_OBJECT

 public:
  explicit LevelTimer(QObject* parent);

  // What each round runs.
  void OnTick(std::function<void()> tick);

  void Suspend() override { timer_.stop(); }
  void Resume() override { timer_.start(); }
  bool IsSuspended() const override { return !timer_.isActive(); }

 private:
  QTimer timer_;
  std::function<void()> tick_;
};
