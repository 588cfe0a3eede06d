#include "playlist/drag_reorder.h"

#include <algorithm>

namespace tarvo {

namespace {

// Step b of a drag-over: the mouse within half a row of the top or the bottom
// edge (or beyond it) scrolls by one row, so holding it there walks the list.
bool AutoScroll(ListViewState& view, const ListGeometry& geometry, int y) {
  const int visible = geometry.VisibleRowCount();
  const int half = geometry.rowHeight / 2;
  if (y < half && view.topRow > 0) {
    --view.topRow;
    return true;
  }
  if (y > geometry.clientHeight - half && view.RowCount() >= visible + view.topRow) {
    const int top = std::min(view.topRow + 1, std::max(view.RowCount() - visible, 0));
    if (top == view.topRow) return false;
    view.topRow = top;
    return true;
  }
  return false;
}

// Moves the entry at `from` to `to`, shifting the ones between by one place
// towards `from`. CurrentIndex stays on its entry.
void MoveEntry(PlaylistState& playlist, int from, int to) {
  auto entries = playlist.PlaylistEntries.begin();
  int& current = playlist.CurrentIndex;
  if (from > to) {
    std::rotate(entries + to, entries + from, entries + from + 1);
    if (current == from) {
      current = to;
    } else if (current >= to && current < from) {
      ++current;
    }
  } else {
    std::rotate(entries + from, entries + from + 1, entries + to + 1);
    if (current == from) {
      current = to;
    } else if (current > from && current <= to) {
      --current;
    }
  }
}

// Steps e to g: moves every dragged row by `-distance` places. Rows moving up
// go in ascending order and rows moving down in descending order, so a moved
// row never lands on one still waiting to move and the gaps between the
// dragged rows stay as they were.
void MoveDraggedRows(PlaylistCore& core, DragState& drag, int distance, int target) {
  ListViewState& view = core.listView;
  std::vector<int>& rows = drag.DragIndexes;
  const auto moveOne = [&](int row) {
    view.Select(row, false);
    MoveEntry(core.playlist, row, row - distance);
  };
  if (distance > 0) {
    std::for_each(rows.begin(), rows.end(), moveOne);
  } else if (distance < 0) {
    std::for_each(rows.rbegin(), rows.rend(), moveOne);
  }
  for (int& row : rows) row -= distance;
  view.focusedRow = target;
  for (const int row : rows) view.Select(row, true);
}

}  // namespace

int RowAtY(const ListViewState& view, const ListGeometry& geometry, int y) {
  if (y < 0 || geometry.rowHeight <= 0) return -1;
  const int row = view.topRow + y / geometry.rowHeight;
  return row < view.RowCount() ? row : -1;
}

void StartDrag(PlaylistCore& core, DragState& drag, int row) {
  ListViewState& view = core.listView;
  drag.DragIndexes.clear();
  drag.DragAnchor = 0;
  // A drag that starts over no row, or on a row outside the selection, has
  // no anchor to follow the mouse and moves nothing.
  if (row < 0 || row >= view.RowCount()) return;
  view.focusedRow = row;
  std::vector<int> selected = view.SelectedRows();
  const auto anchor = std::find(selected.begin(), selected.end(), row);
  if (anchor == selected.end()) return;
  drag.DragAnchor = static_cast<int>(anchor - selected.begin());
  drag.DragIndexes = std::move(selected);
}

void DragMoveTo(PlaylistCore& core, DragState& drag, const ListGeometry& geometry, int y) {
  ListViewState& view = core.listView;
  const DragTarget target{RowAtY(view, geometry, y), view.topRow};
  if (drag.LastDragTarget == target) return;
  drag.LastDragTarget = target;

  bool changed = AutoScroll(view, geometry, y);
  const int row = RowAtY(view, geometry, std::clamp(y, 0, std::max(geometry.clientHeight - 1, 0)));
  const std::vector<int>& dragged = drag.DragIndexes;
  const int last = std::min(view.RowCount(), static_cast<int>(core.playlist.PlaylistEntries.size())) - 1;
  // The list may have changed under a long drag (a key, a finished scan);
  // rows that are no longer there are not moved.
  if (row >= 0 && !dragged.empty() && drag.DragAnchor < static_cast<int>(dragged.size()) &&
      dragged.back() <= last) {
    const int distance = dragged[drag.DragAnchor] - row;
    if (dragged.front() - distance >= 0 && dragged.back() - distance <= last) {
      MoveDraggedRows(core, drag, distance, row);
      changed = true;
    }
  }
  if (changed) core.ui.ListViewChanged();
}

void EndDrag(PlaylistCore& core, DragState& drag) {
  drag.LastDragTarget.reset();
  drag.DragIndexes.clear();
  drag.DragAnchor = 0;
  core.ui.ListViewChanged();
}

}  // namespace tarvo
