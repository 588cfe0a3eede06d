#include "playlist/drag_reorder.h"

#include <gtest/gtest.h>

#include "support/core_fixture.h"

namespace tarvo {
namespace {

// Rows 10 pixels high, 5 of them visible.
constexpr ListGeometry kGeometry{10, 50};

class DragReorderTest : public testing::CoreTest {
 protected:
  // Entries "0" .. "n-1" at their own places.
  void SetNumberedEntries(int count) {
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) entries.push_back("/m/" + std::to_string(i) + ".mp3");
    SetEntries(std::move(entries));
  }
  std::string Entry(int i) const { return "/m/" + std::to_string(i) + ".mp3"; }
  void SelectRows(std::initializer_list<int> rows) {
    core.listView.ClearSelection();
    for (const int row : rows) core.listView.Select(row, true);
  }
  // The y of the middle of `row` in the client area.
  int YOf(int row) const { return (row - core.listView.topRow) * kGeometry.rowHeight + kGeometry.rowHeight / 2; }

  DragState drag;
};

TEST_F(DragReorderTest, RowsMoveUpTogetherKeepingTheirGaps) {
  SetNumberedEntries(8);
  SelectRows({2, 5, 6});
  core.listView.topRow = 0;
  StartDrag(core, drag, 5);
  EXPECT_EQ(drag.DragIndexes, (std::vector<int>{2, 5, 6}));
  EXPECT_EQ(drag.DragAnchor, 1);

  DragMoveTo(core, drag, kGeometry, YOf(4));
  DragMoveTo(core, drag, kGeometry, YOf(3));
  EXPECT_EQ(core.listView.SelectedRows(), (std::vector<int>{0, 3, 4}));
  EXPECT_EQ(core.listView.focusedRow, 3);
  const std::vector<std::string> expected = {Entry(2), Entry(0), Entry(1), Entry(5),
                                             Entry(6), Entry(3), Entry(4), Entry(7)};
  EXPECT_EQ(core.playlist.PlaylistEntries, expected);

  // Moving on up would push row 0 before the first row: refused.
  DragMoveTo(core, drag, kGeometry, YOf(2));
  EXPECT_EQ(core.playlist.PlaylistEntries, expected);
  EXPECT_EQ(core.listView.SelectedRows(), (std::vector<int>{0, 3, 4}));
  EndDrag(core, drag);
  EXPECT_FALSE(drag.LastDragTarget.has_value());
}

TEST_F(DragReorderTest, MovePastTheLastRowIsRefused) {
  SetNumberedEntries(8);
  core.listView.topRow = 3;  // rows 3..7 visible
  SelectRows({2, 5, 6});
  StartDrag(core, drag, 5);
  DragMoveTo(core, drag, kGeometry, YOf(7));  // would put row 6 at 8
  EXPECT_EQ(core.playlist.PlaylistEntries[6], Entry(6));
  EXPECT_EQ(core.listView.SelectedRows(), (std::vector<int>{2, 5, 6}));
  DragMoveTo(core, drag, kGeometry, YOf(6));  // fits exactly
  EXPECT_EQ(core.listView.SelectedRows(), (std::vector<int>{3, 6, 7}));
}

TEST_F(DragReorderTest, MouseBelowTheLastRowMovesNothing) {
  SetNumberedEntries(3);  // rows 0..2 of a 5-row page
  SelectRows({0});
  StartDrag(core, drag, 0);
  DragMoveTo(core, drag, kGeometry, 35);
  EXPECT_EQ(core.playlist.PlaylistEntries[0], Entry(0));
  EXPECT_EQ(core.listView.SelectedRows(), (std::vector<int>{0}));
}

TEST_F(DragReorderTest, PlayingMarkFollowsItsEntry) {
  SetNumberedEntries(8);
  core.playlist.CurrentIndex = 5;
  SelectRows({5});
  StartDrag(core, drag, 5);
  DragMoveTo(core, drag, kGeometry, YOf(1));
  EXPECT_EQ(core.playlist.CurrentIndex, 1);
  EXPECT_EQ(core.playlist.PlaylistEntries[1], Entry(5));
  EndDrag(core, drag);

  // Other rows dragged across the playing row, down and up again.
  SelectRows({0, 2});
  StartDrag(core, drag, 0);
  DragMoveTo(core, drag, kGeometry, YOf(3));
  EXPECT_EQ(core.playlist.PlaylistEntries[core.playlist.CurrentIndex], Entry(5));
  DragMoveTo(core, drag, kGeometry, YOf(1));
  EXPECT_EQ(core.playlist.PlaylistEntries[core.playlist.CurrentIndex], Entry(5));
  // The queue and the shuffle history hold strings; they need no update.
}

TEST_F(DragReorderTest, EdgesScrollOneRowAndMoveTheRowsAlong) {
  SetNumberedEntries(20);
  core.listView.topRow = 10;
  SelectRows({12});
  StartDrag(core, drag, 12);
  DragMoveTo(core, drag, kGeometry, -40);  // above the list
  EXPECT_EQ(core.listView.topRow, 9);
  EXPECT_EQ(core.listView.SelectedRows(), (std::vector<int>{9}));
  DragMoveTo(core, drag, kGeometry, -40);  // held still: the top row changed, so it goes on
  EXPECT_EQ(core.listView.topRow, 8);
  EXPECT_EQ(core.playlist.PlaylistEntries[8], Entry(12));

  DragMoveTo(core, drag, kGeometry, 10000);  // below the list
  EXPECT_EQ(core.listView.topRow, 9);
  EXPECT_EQ(core.listView.SelectedRows(), (std::vector<int>{13}));

  // The last page never scrolls past its end.
  core.listView.topRow = 15;
  DragMoveTo(core, drag, kGeometry, 10000);
  EXPECT_EQ(core.listView.topRow, 15);
}

TEST_F(DragReorderTest, DragFromNoRowOrAnUnselectedRowMovesNothing) {
  SetNumberedEntries(8);
  SelectRows({1, 2});
  StartDrag(core, drag, -1);
  DragMoveTo(core, drag, kGeometry, YOf(4));
  StartDrag(core, drag, 6);
  DragMoveTo(core, drag, kGeometry, YOf(3));
  EXPECT_EQ(core.playlist.PlaylistEntries[1], Entry(1));
  EXPECT_EQ(core.playlist.PlaylistEntries[2], Entry(2));
}

TEST_F(DragReorderTest, RowsRemovedDuringTheDragAreNotMoved) {
  SetNumberedEntries(8);
  SelectRows({6, 7});
  StartDrag(core, drag, 6);
  core.playlist.PlaylistEntries.resize(5);
  core.listView.SetRowCount(5);
  DragMoveTo(core, drag, kGeometry, YOf(2));
  EXPECT_EQ(core.playlist.PlaylistEntries.size(), 5u);
  EXPECT_EQ(core.playlist.PlaylistEntries[2], Entry(2));
}

}  // namespace
}  // namespace tarvo
