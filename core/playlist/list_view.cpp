#include "playlist/list_view.h"

#include <algorithm>

namespace tarvo {

void ListViewState::SetRowCount(int count) {
  count = std::max(count, 0);
  for (int row = count; row < RowCount(); ++row) selectedCount_ -= selected_[row];
  selected_.resize(count, 0);
  if (focusedRow >= count) focusedRow = count - 1;
  if (anchorRow >= count) anchorRow = count - 1;
  ClampTopRow();
}

int ListViewState::LastTopRow() const { return std::max(RowCount() - std::max(rowsPerPage, 1), 0); }

void ListViewState::ClampTopRow() { topRow = std::clamp(topRow, 0, LastTopRow()); }

bool ListViewState::IsSelected(int row) const {
  return row >= 0 && row < RowCount() && selected_[row] != 0;
}

void ListViewState::Select(int row, bool on) {
  if (row < 0 || row >= RowCount() || (selected_[row] != 0) == on) return;
  selected_[row] = on ? 1 : 0;
  selectedCount_ += on ? 1 : -1;
}

void ListViewState::SelectAll() {
  std::fill(selected_.begin(), selected_.end(), 1);
  selectedCount_ = RowCount();
}

void ListViewState::ClearSelection() {
  if (selectedCount_ == 0) return;
  std::fill(selected_.begin(), selected_.end(), 0);
  selectedCount_ = 0;
}

std::vector<int> ListViewState::SelectedRows() const {
  std::vector<int> rows;
  rows.reserve(selectedCount_);
  for (int row = 0; row < RowCount() && static_cast<int>(rows.size()) < selectedCount_; ++row) {
    if (selected_[row]) rows.push_back(row);
  }
  return rows;
}

}  // namespace tarvo
