// Tells when another window covers the main window completely. Without a
// compositor the X server reports this (visibility notification) and keeps
// the covered window's pixels nowhere, so what would be painted there can't
// be seen: the level meter sleeps meanwhile. Under a compositor, Wayland or
// the offscreen platform nothing is reported and the window counts as seen.
// Window thread.
#pragma once

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>

class QWidget;
struct xcb_connection_t;

class X11WindowCover : public QAbstractNativeEventFilter {
 public:
  // `changed` runs with true when `window` becomes fully covered and with
  // false when part of it shows again.
  X11WindowCover(QWidget& window, std::function<void(bool covered)> changed);
  ~X11WindowCover() override;
  X11WindowCover(const X11WindowCover&) = delete;
  X11WindowCover& operator=(const X11WindowCover&) = delete;

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  std::function<void(bool)> changed_;
  xcb_connection_t* connection_ = nullptr;
  std::uint32_t window_ = 0;
  bool covered_ = false;
};
