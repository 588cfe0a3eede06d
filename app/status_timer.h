// TStatusThread on the window thread's event loop: a precise timer that runs
// the status tick every tick period while resumed.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "playback/status_thread.h"

class StatusTimer : public QObject, public tarvo::TStatusThread {
  Q_OBJECT

 public:
  explicit StatusTimer(QObject* parent);

  // What each tick runs.
  void OnTick(std::function<void()> tick);

  void Suspend() override { timer_.stop(); }
  void Resume() override { timer_.start(); }
  bool IsSuspended() const override { return !timer_.isActive(); }
  void SetPeriod(int milliseconds) override { timer_.setInterval(milliseconds); }

 private:
  QTimer timer_;
  std::function<void()> tick_;
};
