// One timer for the window thread's periodic ticks while something plays:
// the status tick and the level meter's round. Each tick is a lane with its
// own period; the timer wakes the thread only when a lane is due, and a lane
// with slack runs a little early or late so that it shares a wake-up with
// another lane due within its slack. Every lane keeps its rate on average:
// its next due time follows from its last one, not from when it ran.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

class TickClock : public QObject {
  Q_OBJECT

 public:
  explicit TickClock(QObject* parent);

  // A new lane, stopped; returns its number. Lanes are added before the
  // clock runs and never removed.
  int AddLane(std::function<void()> tick);
  // Runs the lane every `periodMs`, the first time one period from now. A
  // running lane starts its period afresh.
  void Start(int lane, int periodMs, int slackMs);
  void Stop(int lane);
  bool Running(int lane) const;

 private:
  struct Lane {
    std::function<void()> tick;
    bool running = false;
    int periodMs = 0;
    int slackMs = 0;
    qint64 dueMs = 0;
  };

  qint64 NowMs() const { return elapsed_.elapsed(); }
  // Runs every lane due at this wake-up, then sleeps until the next one.
  void Wake();
  void Arm();
  // When `lane` runs: at its due time, or later within its slack when
  // another lane falls due there.
  qint64 RunTime(const Lane& lane) const;

  QTimer timer_;
  QElapsedTimer elapsed_;
  std::vector<Lane> lanes_;
};
