#include "playlist/list_keys.h"

#include <algorithm>
#include <optional>

#include "base/virtual_keys.h"

namespace tarvo {

namespace {

// The row the focus moves to; nothing for a key that moves nothing.
std::optional<int> FocusTarget(const ListViewState& view, int key) {
  const int last = view.RowCount() - 1;
  const int focused = std::clamp(view.focusedRow, 0, last);
  const int page = std::max(view.rowsPerPage, 1);
  const int pageTop = view.topRow;
  const int pageBottom = std::min(view.topRow + page - 1, last);
  switch (key) {
    case kKeyUp:
      return view.focusedRow < 0 ? 0 : std::max(focused - 1, 0);
    case kKeyDown:
      return view.focusedRow < 0 ? 0 : std::min(focused + 1, last);
    case kKeyHome:
      return 0;
    case kKeyEnd:
      return last;
    // Page keys first go to the edge of the page in view, then a page on,
    // keeping one row of the old page in sight.
    case kKeyPageUp:
      return focused != pageTop ? pageTop : std::max(focused - std::max(page - 1, 1), 0);
    case kKeyPageDown:
      return focused != pageBottom ? pageBottom : std::min(focused + std::max(page - 1, 1), last);
    default:
      return std::nullopt;
  }
}

void ScrollIntoView(ListViewState& view, int row) {
  const int page = std::max(view.rowsPerPage, 1);
  if (row < view.topRow) {
    view.topRow = row;
  } else if (row >= view.topRow + page) {
    view.topRow = row - page + 1;
  }
}

void SelectRange(ListViewState& view, int from, int to) {
  for (int row = std::min(from, to); row <= std::max(from, to); ++row) view.Select(row, true);
}

void MoveFocus(ListViewState& view, int target, int shift) {
  const int anchor = view.anchorRow >= 0 ? view.anchorRow : std::max(view.focusedRow, 0);
  switch (shift) {
    case kShiftModifier:
      view.ClearSelection();
      SelectRange(view, anchor, target);
      break;
    case kCtrlModifier | kShiftModifier:
      SelectRange(view, anchor, target);
      break;
    case kCtrlModifier:
      view.anchorRow = target;
      break;
    default:
      view.ClearSelection();
      view.Select(target, true);
      view.anchorRow = target;
      break;
  }
  view.focusedRow = target;
  ScrollIntoView(view, target);
}

}  // namespace

bool ListKeyDown(PlaylistCore& core, int key, int shift) {
  ListViewState& view = core.listView;
  if ((shift & kAltModifier) != 0) return false;
  if (key == kKeySpace && shift == kCtrlModifier) {
    if (view.focusedRow < 0 || view.focusedRow >= view.RowCount()) return true;
    view.Select(view.focusedRow, !view.IsSelected(view.focusedRow));
    view.anchorRow = view.focusedRow;
    core.ui.ListViewChanged();
    return true;
  }
  const std::optional<int> target = FocusTarget(view, key);
  if (!target) return false;
  if (view.RowCount() > 0) {
    MoveFocus(view, *target, shift);
    core.ui.ListViewChanged();
  }
  return true;
}

}  // namespace tarvo
