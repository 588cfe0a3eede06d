// The playlist view's mouse rules over the core's list-view state: the wheel,
// the right button and selecting rows with clicks. The window reports which
// row the mouse is over (-1 for none) and which modifier keys are held.
// Window thread only.
#pragma once

#include "playlist/playlist_core.h"

namespace tarvo {

// Rows one wheel notch scrolls: 8, times 10 with Ctrl or times 0.375 with
// Shift (Ctrl wins when both are held).
int WheelRows(bool ctrl, bool shift);

// One wheel notch: up for a positive `delta`, down for zero or a negative
// one. The top row stays between 0 and the last full page.
void ScrollByWheel(PlaylistCore& core, int visibleRows, int delta, bool ctrl, bool shift);

// The right button selects the row under the mouse alone, so that the pop-up
// menu acts on it, unless several rows are selected: then the pop-up menu
// acts on all of them.
void RightClickSelect(PlaylistCore& core, int row);

// What a left press leaves for the release.
struct ListMouseState {
  // A plain press on a row of a multi-selection keeps the selection, so that
  // a drag moves all of it; without a drag the release selects this row alone.
  int pendingSingle = -1;
};

// A left press on `row`: plain selects it alone, Ctrl toggles it, Shift
// selects the range from the list's anchor (Ctrl+Shift adds the range to the
// selection). The row becomes the focused row; without Shift also the anchor.
void ListMousePress(PlaylistCore& core, ListMouseState& mouse, int row, bool ctrl, bool shift);

// The left button went up; `dragged` when a drag ran since the press.
void ListMouseRelease(PlaylistCore& core, ListMouseState& mouse, bool dragged);

}  // namespace tarvo
