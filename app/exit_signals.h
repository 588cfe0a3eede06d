// SIGTERM (logout, shutdown, kill), SIGHUP and SIGINT end the program through
// its normal exit path, so the playlist and the settings are saved. The
// handler only writes one byte to a pipe; the window thread reads it through
// a socket notifier and runs the exit there.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

class ExitSignals : public QObject {
  Q_OBJECT

 public:
  // `requestExit` runs on the window thread after each signal.
  ExitSignals(std::function<void()> requestExit, QObject* parent);
  // The signals get their default action back.
  ~ExitSignals() override;

 private:
  void Take();

  std::function<void()> requestExit_;
  QSocketNotifier* notifier_ = nullptr;
};
