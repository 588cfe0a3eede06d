// The main window's geometry rules, free of any window toolkit: snapping to
// the edges of the work area, and which bounds are remembered for the next
// start. The window reports its geometry and state here; the bounds live in
// `core.settings.bounds` and are written at exit by SaveSettings. Window
// thread.
#pragma once

#include "core.h"

namespace tarvo {

// A window edge this close to a work-area edge (either side of it) lands on
// that edge.
inline constexpr int kSnapDistance = 10;

enum class WindowMode { Normal, Maximized, Minimized };

// Where a window dragged to `window` settles: the left edge, then the right
// edge, then the top and the bottom edge move onto the work area's edge when
// within kSnapDistance of it. The size never changes.
WindowBounds SnapToWorkArea(const WindowBounds& window, const WindowBounds& workArea);

// The remembered bounds follow the window from its first show on, and only
// while it is in its normal state: the maximized and minimized geometry is
// never kept, so restoring and the next start get the normal bounds.
class WindowBoundsTracker {
 public:
  explicit WindowBoundsTracker(Core& core) : core_(core) {}

  bool Shown() const { return shown_; }
  // The first show starts the tracking.
  void WindowShown(const WindowBounds& bounds, WindowMode mode);
  // A move or resize ended at `bounds`.
  void WindowMoved(const WindowBounds& bounds, WindowMode mode);
  // The window state changed. Maximizing saves the settings at once, so a
  // crash while maximized still starts maximized.
  void ModeChanged(WindowMode mode);

 private:
  void Remember(const WindowBounds& bounds, WindowMode mode);

  Core& core_;
  bool shown_ = false;
};

}  // namespace tarvo
