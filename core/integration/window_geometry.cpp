#include "integration/window_geometry.h"

#include <cstdlib>

#include "integration/saved_settings.h"
#include "settings/settings_store.h"

namespace tarvo {

namespace {

bool Near(int edge, int target) { return std::abs(edge - target) <= kSnapDistance; }

}  // namespace

WindowBounds SnapToWorkArea(const WindowBounds& window, const WindowBounds& workArea) {
  WindowBounds snapped = window;
  const int workRight = workArea.left + workArea.width;
  const int workBottom = workArea.top + workArea.height;
  if (Near(snapped.left, workArea.left)) snapped.left = workArea.left;
  // A window about as wide as the work area ends up flush right.
  if (Near(snapped.left + snapped.width, workRight)) snapped.left = workRight - snapped.width;
  if (Near(snapped.top, workArea.top)) snapped.top = workArea.top;
  if (Near(snapped.top + snapped.height, workBottom)) snapped.top = workBottom - snapped.height;
  return snapped;
}

void WindowBoundsTracker::WindowShown(const WindowBounds& bounds, WindowMode mode) {
  shown_ = true;
  Remember(bounds, mode);
}

void WindowBoundsTracker::WindowMoved(const WindowBounds& bounds, WindowMode mode) {
  if (shown_) Remember(bounds, mode);
}

void WindowBoundsTracker::ModeChanged(WindowMode mode) {
  // Before the first show the window only takes on its stored state.
  if (shown_ && mode == WindowMode::Maximized) SaveSettings(core_, true);
}

void WindowBoundsTracker::Remember(const WindowBounds& bounds, WindowMode mode) {
  if (mode == WindowMode::Normal) core_.settings.bounds = bounds;
}

}  // namespace tarvo
