// The state of the playlist view, owned by the core: the window draws it and
// forwards input, and every algorithm over it runs here without a window.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvo {

class ListViewState {
 public:
  int RowCount() const { return static_cast<int>(selected_.size()); }
  // Resizes the view; new rows start unselected.
  void SetRowCount(int count);

  bool IsSelected(int row) const;
  void Select(int row, bool on);
  void SelectAll();
  void ClearSelection();
  std::vector<int> SelectedRows() const;
  int SelectedCount() const { return selectedCount_; }

  // The focused row (the item index); -1 when none.
  int focusedRow = -1;
  // Where Shift ranges start, for the keys and the mouse alike: the row last
  // focused by a move or click without Shift; -1 when none.
  int anchorRow = -1;
  int topRow = 0;
  // Whole rows that fit in the view; the window keeps it up to date.
  int rowsPerPage = 1;

  // The highest top row: a full last page, never blank space below the last
  // row while rows are hidden above.
  int LastTopRow() const;
  // Brings `topRow` into 0..LastTopRow(); whoever moves the top row or
  // changes the count or the page calls it.
  void ClampTopRow();

 private:
  std::vector<std::uint8_t> selected_;
  int selectedCount_ = 0;
};

}  // namespace tarvo
