#include "app/x11_window_cover.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>

X11WindowCover::X11WindowCover(QWidget& window, std::function<void(bool covered)> changed)
    : changed_(std::move(changed)) {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return;
  connection_ = x11->connection();
  window_ = static_cast<std::uint32_t>(window.winId());
  // Qt chose the window's events; visibility changes are added to them.
  xcb_get_window_attributes_reply_t* attributes =
      xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window_), nullptr);
  if (!attributes) {
    connection_ = nullptr;
    return;
  }
  const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_VISIBILITY_CHANGE;
  std::free(attributes);
  xcb_change_window_attributes(connection_, window_, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection_);
  qApp->installNativeEventFilter(this);
}

X11WindowCover::~X11WindowCover() {
  if (connection_ && qApp) qApp->removeNativeEventFilter(this);
}

bool X11WindowCover::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7f) != XCB_VISIBILITY_NOTIFY) return false;
  const auto* visibility = static_cast<const xcb_visibility_notify_event_t*>(message);
  if (visibility->window != window_) return false;
  const bool covered = visibility->state == XCB_VISIBILITY_FULLY_OBSCURED;
  if (covered != covered_) {
    covered_ = covered;
    changed_(covered);
  }
  return false;
}
