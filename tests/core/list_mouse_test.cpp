#include "playlist/list_mouse.h"

#include <gtest/gtest.h>

#include "support/core_fixture.h"

namespace tarvo {
namespace {

class ListMouseTest : public testing::CoreTest {
 protected:
  void SetRows(int count) { SetEntries(std::vector<std::string>(count, "/m/a.mp3")); }
};

TEST_F(ListMouseTest, WheelScrollsEightRowsCtrlEightyShiftThree) {
  EXPECT_EQ(WheelRows(false, false), 8);
  EXPECT_EQ(WheelRows(true, false), 80);
  EXPECT_EQ(WheelRows(false, true), 3);
  EXPECT_EQ(WheelRows(true, true), 80);
}

TEST_F(ListMouseTest, WheelStopsAtBothEnds) {
  SetRows(100);
  core.listView.topRow = 5;
  ScrollByWheel(core, 20, 120, false, false);
  EXPECT_EQ(core.listView.topRow, 0);
  core.listView.topRow = 75;
  ScrollByWheel(core, 20, 0, false, false);  // a zero delta scrolls down
  EXPECT_EQ(core.listView.topRow, 80);
  // A list shorter than the page stays at its top.
  SetRows(10);
  ScrollByWheel(core, 20, -120, false, false);
  EXPECT_EQ(core.listView.topRow, 0);
}

TEST_F(ListMouseTest, RightClickSelectsTheRowUnlessSeveralAreSelected) {
  SetRows(10);
  core.listView.ClearSelection();
  RightClickSelect(core, 4);
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{4});
  RightClickSelect(core, 6);
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{6});
  RightClickSelect(core, -1);  // below the last row
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{6});

  for (const int row : {1, 2, 3, 7, 8}) core.listView.Select(row, true);
  core.listView.Select(6, false);
  RightClickSelect(core, 4);
  EXPECT_EQ(core.listView.SelectedRows(), (std::vector<int>{1, 2, 3, 7, 8}));
}

TEST_F(ListMouseTest, ClicksSelectToggleAndExtend) {
  SetRows(10);
  ListMouseState mouse;
  ListMousePress(core, mouse, 2, false, false);
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{2});
  ListMousePress(core, mouse, 5, false, true);  // Shift: range from the anchor
  EXPECT_EQ(core.listView.SelectedRows(), (std::vector<int>{2, 3, 4, 5}));
  EXPECT_EQ(core.listView.focusedRow, 5);
  ListMousePress(core, mouse, 0, false, true);  // the anchor stays at 2
  EXPECT_EQ(core.listView.SelectedRows(), (std::vector<int>{0, 1, 2}));
  ListMousePress(core, mouse, 8, true, false);  // Ctrl toggles and moves the anchor
  ListMousePress(core, mouse, 1, true, false);
  EXPECT_EQ(core.listView.SelectedRows(), (std::vector<int>{0, 2, 8}));
  ListMousePress(core, mouse, 3, true, true);  // Ctrl+Shift adds the range
  EXPECT_EQ(core.listView.SelectedRows(), (std::vector<int>{0, 1, 2, 3, 8}));
}

TEST_F(ListMouseTest, PlainPressInsideASelectionWaitsForTheRelease) {
  SetRows(10);
  ListMouseState mouse;
  core.listView.ClearSelection();
  for (const int row : {2, 3, 4}) core.listView.Select(row, true);
  ListMousePress(core, mouse, 3, false, false);
  // Kept for a drag of all three rows.
  EXPECT_EQ(core.listView.SelectedCount(), 3);
  ListMouseRelease(core, mouse, true);
  EXPECT_EQ(core.listView.SelectedCount(), 3);

  ListMousePress(core, mouse, 3, false, false);
  ListMouseRelease(core, mouse, false);
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{3});
}

}  // namespace
}  // namespace tarvo
