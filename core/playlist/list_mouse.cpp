#include "playlist/list_mouse.h"

#include <algorithm>
#include <cmath>

#include "playlist/model.h"

namespace tarvo {

namespace {

constexpr int kWheelRows = 8;
constexpr double kCtrlWheelFactor = 10.0;
constexpr double kShiftWheelFactor = 0.375;

}  // namespace

int WheelRows(bool ctrl, bool shift) {
  const double factor = ctrl ? kCtrlWheelFactor : (shift ? kShiftWheelFactor : 1.0);
  return static_cast<int>(std::lround(kWheelRows * factor));
}

void ScrollByWheel(PlaylistCore& core, int visibleRows, int delta, bool ctrl, bool shift) {
  ListViewState& view = core.listView;
  const int rows = WheelRows(ctrl, shift);
  if (delta > 0) {
    view.topRow = std::max(view.topRow - rows, 0);
  } else {
    // A list shorter than a page has no room to scroll at all.
    view.topRow = std::max(std::min(view.topRow + rows, view.RowCount() - visibleRows), 0);
  }
  core.ui.ListViewChanged();
}

void RightClickSelect(PlaylistCore& core, int row) {
  if (core.listView.SelectedCount() <= 1 && row >= 0) SelectSingle(core, row);
}

void ListMousePress(PlaylistCore& core, ListMouseState& mouse, int row, bool ctrl, bool shift) {
  ListViewState& view = core.listView;
  mouse.pendingSingle = -1;
  if (row < 0 || row >= view.RowCount()) return;
  if (shift) {
    const int anchor = view.anchorRow >= 0 ? view.anchorRow : std::max(view.focusedRow, 0);
    if (!ctrl) view.ClearSelection();
    for (int r = std::min(anchor, row); r <= std::max(anchor, row); ++r) view.Select(r, true);
    view.focusedRow = row;
    core.ui.ListViewChanged();
    return;
  }
  view.anchorRow = row;
  if (ctrl) {
    view.Select(row, !view.IsSelected(row));
    view.focusedRow = row;
    core.ui.ListViewChanged();
  } else if (view.IsSelected(row) && view.SelectedCount() > 1) {
    view.focusedRow = row;
    mouse.pendingSingle = row;
    core.ui.ListViewChanged();
  } else {
    SelectSingle(core, row);
  }
}

void ListMouseRelease(PlaylistCore& core, ListMouseState& mouse, bool dragged) {
  const int row = mouse.pendingSingle;
  mouse.pendingSingle = -1;
  // The row may have moved in a drag; then the selection stays as dragged.
  if (!dragged && row >= 0) SelectSingle(core, row);
}

}  // namespace tarvo
