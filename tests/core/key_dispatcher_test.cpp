#include "playback/key_dispatcher.h"

#include <gtest/gtest.h>

#include "playback/sequencing.h"
#include "playlist/model.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

using testing::CoreTest;
using Calls = std::vector<std::string>;

class KeyDispatcherTest : public CoreTest {
 protected:
  KeyDispatcherTest() { SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"}); }

  bool Key(int key, int shift = kNoModifier) { return DispatchKeyCommand(core, key, shift); }

  void ShowRows(int count, int top, int rowsPerPage, int focused) {
    SetEntries(std::vector<std::string>(count, "/m/x.mp3"));
    core.listView.topRow = top;
    core.listView.rowsPerPage = rowsPerPage;
    SelectSingle(core, focused);
  }
};

TEST_F(KeyDispatcherTest, PlaybackKeysReachTheEngine) {
  EXPECT_TRUE(Key(kKeyEnter, kCtrlModifier | kAltModifier));
  EXPECT_TRUE(Key(kKeyNumpad0, kShiftModifier));
  EXPECT_TRUE(Key(kKeySpace));
  EXPECT_FALSE(Key(kKeySpace, kShiftModifier));
  EXPECT_TRUE(Key(kKeyBackspace, kAltModifier));
  EXPECT_TRUE(Key(kKeyLeft));  // device closed: consumed, no seek
  playback.deviceOpen = true;
  EXPECT_TRUE(Key(kKeyLeft, kShiftModifier));
  EXPECT_TRUE(Key(kKeyRight, kCtrlModifier));
  EXPECT_EQ(playback.calls,
            (Calls{"PlaySelected", "StopStep", "PauseOrResume", "TotalRewind", "SeekStep -1 1", "SeekStep 1 4"}));
}

TEST_F(KeyDispatcherTest, KeysOutsideTheTableGoToTheList) {
  EXPECT_FALSE(Key(kKey1, kShiftModifier));
  EXPECT_FALSE(Key(kKeyUp, kAltModifier));
  EXPECT_FALSE(Key(kKeyTab, kCtrlModifier));
  EXPECT_FALSE(Key(kKeyA, kCtrlModifier | kShiftModifier));
  EXPECT_FALSE(Key(112));  // F1
  EXPECT_TRUE(playback.calls.empty());
  EXPECT_TRUE(playback.played.empty());
}

TEST_F(KeyDispatcherTest, NextAndPreviousStopAtTheEndsInPlayListMode) {
  core.settings.playMode = kPlayListMode;
  core.playlist.CurrentIndex = 2;
  EXPECT_TRUE(Key(kKeyTab));
  core.playlist.CurrentIndex = 0;
  EXPECT_TRUE(Key(kKeyTab, kShiftModifier));
  EXPECT_TRUE(playback.played.empty());
  EXPECT_TRUE(playback.probed.empty());

  EXPECT_TRUE(Key(kKeyTab));
  core.settings.playMode = kRepeatListMode;
  EXPECT_TRUE(Key(kKeyTab, kShiftModifier));
  EXPECT_EQ(playback.played, (std::vector<int>{1, 2}));
}

TEST_F(KeyDispatcherTest, AKeyArrivingWhileACommandRunsIsLeftToTheList) {
  bool nestedHandled = true;
  playback.onPlayEntry = [&](int) { nestedHandled = Key(kKeySpace); };
  core.playlist.CurrentIndex = 0;
  EXPECT_TRUE(Key(kKeyTab));
  EXPECT_FALSE(nestedHandled);
  EXPECT_TRUE(playback.calls.empty());
  EXPECT_FALSE(core.sequencing.DispatcherBusy);
  EXPECT_TRUE(Key(kKeySpace));
}

TEST_F(KeyDispatcherTest, UpAndDownBringAFocusOutOfViewIntoThePage) {
  ShowRows(100, 50, 10, 5);
  EXPECT_TRUE(Key(kKeyDown));
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{50});
  EXPECT_EQ(core.listView.focusedRow, 50);

  ShowRows(100, 50, 10, 80);
  EXPECT_TRUE(Key(kKeyUp));
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{59});
  EXPECT_EQ(core.listView.focusedRow, 59);

  // In view (the row just past the page counts as in view): the list moves.
  for (int focused : {50, 55, 60}) {
    ShowRows(100, 50, 10, focused);
    EXPECT_FALSE(Key(kKeyDown));
    EXPECT_FALSE(Key(kKeyUp));
    EXPECT_EQ(core.listView.focusedRow, focused);
  }
  ShowRows(100, 50, 10, 5);
  EXPECT_FALSE(Key(kKeyDown, kShiftModifier));
  EXPECT_EQ(core.listView.focusedRow, 5);
}

TEST_F(KeyDispatcherTest, CtrlASelectsEveryRowKeepingFocusAndScroll) {
  ShowRows(40, 12, 10, 15);
  EXPECT_TRUE(Key(kKeyA, kCtrlModifier));
  EXPECT_EQ(core.listView.SelectedCount(), 40);
  EXPECT_EQ(core.listView.focusedRow, 15);
  EXPECT_EQ(core.listView.topRow, 12);
}

TEST_F(KeyDispatcherTest, VolumeKeysStepByThirtyOrByOneWithShift) {
  core.settings.volume = 995;
  EXPECT_TRUE(Key(kKeyNumpadAdd));
  EXPECT_EQ(core.settings.volume, 1000);
  core.settings.volume = 20;
  EXPECT_TRUE(Key(kKeyMinus, kCtrlModifier));
  EXPECT_EQ(core.settings.volume, 0);
  EXPECT_TRUE(Key(kKeyEquals, kShiftModifier));
  EXPECT_EQ(core.settings.volume, 1);
  EXPECT_TRUE(Key(kKeyEquals));
  EXPECT_EQ(core.settings.volume, 31);
  EXPECT_TRUE(Key(kKeyNumpadSubtract, kShiftModifier));
  EXPECT_EQ(core.settings.volume, 30);
  EXPECT_EQ(core.texts.statusPanels[0], " 3 %");
}

TEST_F(KeyDispatcherTest, GlobalHotkeysMapToKeysAndStop) {
  core.playlist.CurrentIndex = 1;
  core.settings.volume = 500;
  for (int slot = 0; slot <= 7; ++slot) EXPECT_TRUE(DispatchGlobalHotkey(core, slot)) << slot;
  EXPECT_EQ(playback.calls, (Calls{"PlaySelected", "PauseOrResume"}));
  EXPECT_EQ(playback.stops, std::vector<bool>{true});
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(playback.played, (std::vector<int>{2, 0}));  // next and previous from row 1
  EXPECT_EQ(core.settings.volume, 150);                  // +30, -30, soft mute at 30 %
  EXPECT_EQ(core.volume.SoftMuteSaved, 500);
  for (int slot = 8; slot < kGlobalHotkeySlots; ++slot) EXPECT_FALSE(DispatchGlobalHotkey(core, slot)) << slot;
}

}  // namespace
}  // namespace tarvo
