#include "integration/window_geometry.h"

#include <gtest/gtest.h>

#include "settings/ini_file.h"
#include "settings/settings_store.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

const WindowBounds kWorkArea{0, 30, 1280, 970};  // a panel above, 1000 high screen

WindowBounds At(int left, int top) { return {left, top, 300, 400}; }

TEST(SnapToWorkArea, EdgesWithinTenPixelsEitherSideLandOnTheWorkArea) {
  EXPECT_EQ(SnapToWorkArea(At(8, 200), kWorkArea).left, 0);
  EXPECT_EQ(SnapToWorkArea(At(-8, 200), kWorkArea).left, 0);
  EXPECT_EQ(SnapToWorkArea(At(10, 200), kWorkArea).left, 0);
  EXPECT_EQ(SnapToWorkArea(At(11, 200), kWorkArea).left, 11);
  EXPECT_EQ(SnapToWorkArea(At(-11, 200), kWorkArea).left, -11);

  // Right edge 1280 - 6 and 1280 + 9; the size never changes.
  const WindowBounds right = SnapToWorkArea(At(974, 200), kWorkArea);
  EXPECT_EQ(right.left, 980);
  EXPECT_EQ(right.width, 300);
  EXPECT_EQ(SnapToWorkArea(At(989, 200), kWorkArea).left, 980);
  EXPECT_EQ(SnapToWorkArea(At(968, 200), kWorkArea).left, 968);

  // The top edge goes under the panel's edge, not the screen's.
  EXPECT_EQ(SnapToWorkArea(At(400, 22), kWorkArea).top, 30);
  EXPECT_EQ(SnapToWorkArea(At(400, 19), kWorkArea).top, 19);
  EXPECT_EQ(SnapToWorkArea(At(400, 597), kWorkArea).top, 600);
  EXPECT_EQ(SnapToWorkArea(At(400, 300), kWorkArea), At(400, 300));
}

TEST(SnapToWorkArea, AWindowAsWideAsTheWorkAreaEndsFlushRight) {
  const WindowBounds wide{4, 200, 1275, 400};
  EXPECT_EQ(SnapToWorkArea(wide, kWorkArea).left, 5);
}

class WindowBoundsTrackerTest : public testing::CoreTest {
 protected:
  WindowBoundsTracker tracker{core};
};

TEST_F(WindowBoundsTrackerTest, OnlyNormalBoundsAfterTheFirstShowAreRemembered) {
  core.settings.bounds = At(50, 60);
  tracker.WindowMoved(At(1, 2), WindowMode::Normal);
  EXPECT_EQ(core.settings.bounds, At(50, 60));  // not shown yet

  tracker.WindowShown(At(50, 61), WindowMode::Normal);
  EXPECT_EQ(core.settings.bounds, At(50, 61));
  tracker.WindowMoved(At(70, 80), WindowMode::Normal);
  EXPECT_EQ(core.settings.bounds, At(70, 80));
  tracker.WindowMoved({0, 30, 1280, 970}, WindowMode::Maximized);
  tracker.WindowMoved(At(-32000, -32000), WindowMode::Minimized);
  EXPECT_EQ(core.settings.bounds, At(70, 80));
}

TEST_F(WindowBoundsTrackerTest, MaximizingAfterTheFirstShowSavesTheSettingsAtOnce) {
  const auto maximizedSaved = [this] {
    return LoadIniFile(home.Path() + "Tarvo.ini")->Value("Window", "Maximized") == "1";
  };
  // A window stored maximized starts so; that is no news to save.
  tracker.ModeChanged(WindowMode::Maximized);
  EXPECT_FALSE(maximizedSaved());

  tracker.WindowShown(At(70, 80), WindowMode::Normal);
  tracker.ModeChanged(WindowMode::Normal);
  EXPECT_FALSE(maximizedSaved());
  tracker.ModeChanged(WindowMode::Maximized);
  EXPECT_TRUE(maximizedSaved());
  // Only the flag: the maximized bounds are never stored.
  EXPECT_FALSE(LoadIniFile(home.Path() + "Tarvo.ini")->Value("Window", "Left"));
}

}  // namespace
}  // namespace tarvo
