// Reordering the playlist by dragging its selected rows. The rows move live
// while the mouse moves, not on drop: every drag-over step moves the dragged
// rows so that the row taken at the start sits under the mouse. The window
// only reports the mouse; everything else happens here. Window thread only.
#pragma once

#include <optional>
#include <vector>

#include "playlist/playlist_core.h"

namespace tarvo {

// The pixels the list view shows its rows in.
struct ListGeometry {
  int rowHeight = 1;
  // The height of the list's client area.
  int clientHeight = 0;

  // Whole rows that fit in the client area.
  int VisibleRowCount() const { return rowHeight > 0 ? clientHeight / rowHeight : 0; }
};

// The row under the mouse and the top row at the last drag-over that was
// acted on. A row of -1 means no row was under the mouse.
struct DragTarget {
  int row = -1;
  int topRow = 0;
  friend bool operator==(const DragTarget&, const DragTarget&) = default;
};

struct DragState {
  // The dragged rows' places, ascending; they follow the rows as they move.
  // Empty when the drag moves nothing.
  std::vector<int> DragIndexes;
  // The position in DragIndexes of the row the drag started on.
  int DragAnchor = 0;
  // Nothing between drags.
  std::optional<DragTarget> LastDragTarget;
};

// The row at height `y` of the client area; -1 above the first visible row
// and below the last row.
int RowAtY(const ListViewState& view, const ListGeometry& geometry, int y);

// Start of a drag on `row` (-1 when the mouse is over no row, which makes a
// drag that moves nothing): `row` becomes the focused row and the selected
// rows the dragged ones.
void StartDrag(PlaylistCore& core, DragState& drag, int row);

// One drag-over at height `y` of the client area; `y` may lie above or below
// it, which scrolls the list by one row. Moves the dragged rows so that the
// anchor row lands on the row under the mouse, unless that would push any of
// them past either end of the list. CurrentIndex follows the playing entry.
void DragMoveTo(PlaylistCore& core, DragState& drag, const ListGeometry& geometry, int y);

// End of the drag, dropped anywhere or cancelled.
void EndDrag(PlaylistCore& core, DragState& drag);

}  // namespace tarvo
