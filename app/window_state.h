// The main window's remembered bounds and edge snapping: the window reports
// its shows, moves, resizes and state changes to the core's
// WindowBoundsTracker, and every move ends on the screen's work-area edges
// when it comes within ten pixels of them. Attached from outside the window
// as an event filter. Window thread.
#pragma once

#include <QObject>

#include "core.h"
#include "integration/window_geometry.h"

class QWidget;

class WindowState : public QObject {
  Q_OBJECT

 public:
  WindowState(tarvo::Core& core, QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  tarvo::WindowMode Mode() const;
  tarvo::WindowBounds Bounds() const;
  void Snap();

  QWidget& window_;
  tarvo::WindowBoundsTracker tracker_;
  // Set while the window is being moved onto an edge, so that the move this
  // causes is not snapped again.
  bool snapping_ = false;
};
