#include "playlist/list_keys.h"

#include <gtest/gtest.h>

#include "playback/key_dispatcher.h"
#include "playlist/list_mouse.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

using Rows = std::vector<int>;

class ListKeysTest : public testing::CoreTest {
 protected:
  // `count` rows, ten to a page, the first selected.
  void SetRows(int count) {
    SetEntries(std::vector<std::string>(count, "/m/a.mp3"));
    core.listView.rowsPerPage = 10;
  }
  void Press(int key, int shift = kNoModifier) { EXPECT_TRUE(ListKeyDown(core, key, shift)) << key; }
  const ListViewState& view() const { return core.listView; }
};

TEST_F(ListKeysTest, MovingKeysFocusAndSelectOneRowAndScrollItIntoView) {
  SetRows(35);
  Press(kKeyDown);
  Press(kKeyDown);
  EXPECT_EQ(view().focusedRow, 2);
  EXPECT_EQ(view().SelectedRows(), Rows{2});
  // Page Down goes to the bottom of the page first, then a page on.
  Press(kKeyPageDown);
  EXPECT_EQ(view().focusedRow, 9);
  EXPECT_EQ(view().topRow, 0);
  Press(kKeyPageDown);
  EXPECT_EQ(view().focusedRow, 18);
  EXPECT_EQ(view().topRow, 9);
  Press(kKeyPageUp);
  EXPECT_EQ(view().focusedRow, 9);
  Press(kKeyEnd);
  EXPECT_EQ(view().SelectedRows(), Rows{34});
  EXPECT_EQ(view().topRow, 25);
  Press(kKeyHome);
  EXPECT_EQ(view().SelectedRows(), Rows{0});
  EXPECT_EQ(view().topRow, 0);
  Press(kKeyUp);  // stays on the first row
  EXPECT_EQ(view().focusedRow, 0);
  EXPECT_FALSE(ListKeyDown(core, kKeyLeft, kNoModifier));
  EXPECT_FALSE(ListKeyDown(core, kKeyDown, kAltModifier));
}

TEST_F(ListKeysTest, ShiftExtendsFromTheAnchorCtrlMovesOnlyTheFocusAndCtrlSpaceToggles) {
  SetRows(20);
  ListMouseState mouse;
  ListMousePress(core, mouse, 3, false, false);
  Press(kKeyDown, kShiftModifier);
  Press(kKeyDown, kShiftModifier);
  EXPECT_EQ(view().SelectedRows(), (Rows{3, 4, 5}));
  Press(kKeyHome, kShiftModifier);  // the anchor stays at the clicked row
  EXPECT_EQ(view().SelectedRows(), (Rows{0, 1, 2, 3}));

  Press(kKeyEnd, kCtrlModifier);
  EXPECT_EQ(view().focusedRow, 19);
  EXPECT_EQ(view().SelectedRows(), (Rows{0, 1, 2, 3}));
  Press(kKeySpace, kCtrlModifier);
  Press(kKeyPageUp, kCtrlModifier);
  Press(kKeySpace, kCtrlModifier);
  EXPECT_EQ(view().SelectedRows(), (Rows{0, 1, 2, 3, 10, 19}));
  Press(kKeySpace, kCtrlModifier);  // toggled off again
  EXPECT_EQ(view().SelectedRows(), (Rows{0, 1, 2, 3, 19}));
  // Ctrl+Shift adds the range from the toggled row; a Shift+click ranges
  // from the same anchor.
  Press(kKeyUp, kCtrlModifier | kShiftModifier);
  EXPECT_EQ(view().SelectedRows(), (Rows{0, 1, 2, 3, 9, 10, 19}));
  ListMousePress(core, mouse, 12, false, true);
  EXPECT_EQ(view().SelectedRows(), (Rows{10, 11, 12}));
}

TEST_F(ListKeysTest, AnEmptyListTakesTheKeysAndChangesNothing) {
  SetEntries({});
  Press(kKeyDown);
  Press(kKeySpace, kCtrlModifier);
  EXPECT_EQ(view().SelectedCount(), 0);
}

}  // namespace
}  // namespace tarvo
