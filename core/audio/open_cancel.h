// Ends an internet stream's open from another thread. The open (on a connect
// thread) registers how to stop its transfer; Cancel, from any thread, stops
// it at once, and an open that registers after a Cancel is stopped as it
// registers. So a superseded or abandoned connection never keeps its thread
// waiting for a server.
#pragma once

#include <functional>
#include <mutex>

namespace tarvo::audio {

class OpenCancel {
 public:
  // Any thread.
  void Cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    if (stop_) stop_();
  }
  bool Cancelled() const {
    std::lock_guard lock(mutex_);
    return cancelled_;
  }

  // The open's thread. `stop` runs under this object's lock, so after
  // Unwatch returns it is not running and never runs again; it must not
  // call back into this object.
  void Watch(std::function<void()> stop) {
    std::lock_guard lock(mutex_);
    stop_ = std::move(stop);
    if (cancelled_) stop_();
  }
  void Unwatch() {
    std::lock_guard lock(mutex_);
    stop_ = nullptr;
  }

 private:
  mutable std::mutex mutex_;  // guards both
  bool cancelled_ = false;
  std::function<void()> stop_;
};

}  // namespace tarvo::audio
