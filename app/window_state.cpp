#include "app/window_state.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindowStateChangeEvent>

WindowState::WindowState(tarvo::Core& core, QWidget& window) : QObject(&window), window_(window), tracker_(core) {
  window.installEventFilter(this);
}

tarvo::WindowMode WindowState::Mode() const {
  const Qt::WindowStates state = window_.windowState();
  if (state.testFlag(Qt::WindowMinimized)) return tarvo::WindowMode::Minimized;
  if (state.testFlag(Qt::WindowMaximized) || state.testFlag(Qt::WindowFullScreen)) return tarvo::WindowMode::Maximized;
  return tarvo::WindowMode::Normal;
}

// The bounds the window is placed by at start (QWidget::setGeometry), that
// is without the frame.
tarvo::WindowBounds WindowState::Bounds() const {
  const QRect bounds = window_.geometry();
  return {bounds.x(), bounds.y(), bounds.width(), bounds.height()};
}

bool WindowState::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Show:
      if (!tracker_.Shown()) tracker_.WindowShown(Bounds(), Mode());
      break;
    case QEvent::Move:
      if (!snapping_ && Mode() == tarvo::WindowMode::Normal && window_.isVisible()) Snap();
      tracker_.WindowMoved(Bounds(), Mode());
      break;
    case QEvent::Resize:
      tracker_.WindowMoved(Bounds(), Mode());
      break;
    case QEvent::WindowStateChange:
      tracker_.ModeChanged(Mode());
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

// The frame is what the user sees and drags, so the frame snaps.
void WindowState::Snap() {
  const QScreen* screen = window_.screen();
  if (screen == nullptr) return;
  const QRect work = screen->availableGeometry();
  const QRect frame = window_.frameGeometry();
  const tarvo::WindowBounds snapped = tarvo::SnapToWorkArea({frame.x(), frame.y(), frame.width(), frame.height()},
                                                            {work.x(), work.y(), work.width(), work.height()});
  if (snapped.left == frame.x() && snapped.top == frame.y()) return;
  snapping_ = true;
  window_.move(snapped.left, snapped.top);
  snapping_ = false;
}
