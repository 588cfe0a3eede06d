// A secondary window made on its first use and kept until the program ends:
// the way every secondary window of the program is created. The window is
// owned by the Qt parent the maker gives it; when Qt deletes it (with its
// parent), the next use makes a new one.
#pragma once

#include <QPointer>
#include <functional>
#include <utility>

template <typename Window>
class LazyWindow {
 public:
  explicit LazyWindow(std::function<Window*()> make) : make_(std::move(make)) {}

  // The window, made now when it does not exist yet.
  Window& Get() {
    if (!window_) window_ = make_();
    return *window_;
  }
  Window* operator->() { return &Get(); }
  // The window when it has been made; null before.
  Window* IfMade() const { return window_; }

 private:
  std::function<Window*()> make_;
  QPointer<Window> window_;
};
