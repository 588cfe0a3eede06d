#include "playlist/row_paint.h"

#include <gtest/gtest.h>

#include "support/core_fixture.h"

namespace tarvo {
namespace {

class RowPaintTest : public testing::CoreTest {
 protected:
  RowPaintTest() {
    ListLook& look = core.listLook;
    look.backgroundColor = {0x000001};
    look.fontColor = {0x000002};
    look.fontColorSelected = {0x000003};
    look.selectionColor = {0x000004};
    look.selectionColorPlayingItem = {0x000005};
    look.playingItemColor = {0x000006};
    look.playingItemColorSelected = {0x000007};
    look.queuedItemColor = {0x000008};
    look.shuffledItemColor = {0x000009};
    look.fontBold = false;
    look.playingItemBold = true;
    SetEntries({"/m/plain.mp3", "/m/playing.mp3", "/m/queued.mp3", "/m/shuffled.mp3", "/m/both.mp3",
                "http://radio/live|Jazz FM"});
    core.listView.ClearSelection();
    core.playlist.CurrentIndex = 1;
    playback.deviceOpen = true;
  }

  RowPaint Paint(int row) const {
    const PageMarks marks(core, 0, core.listView.RowCount());
    return PaintRow(core, marks, row);
  }
};

TEST_F(RowPaintTest, PlayingRowOnlyWithTheDeviceOpen) {
  RowPaint playing = Paint(1);
  EXPECT_TRUE(playing.playing);
  EXPECT_TRUE(playing.bold);
  EXPECT_EQ(playing.textColor, core.listLook.playingItemColor);
  EXPECT_EQ(playing.fill, core.listLook.backgroundColor);

  playback.deviceOpen = false;
  playing = Paint(1);
  EXPECT_FALSE(playing.playing);
  EXPECT_FALSE(playing.bold);
  EXPECT_EQ(playing.textColor, core.listLook.fontColor);
}

TEST_F(RowPaintTest, BoldFollowsThePlayingRowAlone) {
  core.listLook.fontBold = true;
  core.listLook.playingItemBold = false;
  EXPECT_TRUE(Paint(0).bold);
  EXPECT_FALSE(Paint(1).bold);
}

TEST_F(RowPaintTest, SelectedRowsUseTheSelectionColours) {
  for (const int row : {0, 1, 2, 5}) core.listView.Select(row, true);
  core.playlist.QueueEntries = {"/m/queued.mp3"};
  const RowPaint playing = Paint(1);
  EXPECT_EQ(playing.fill, core.listLook.selectionColorPlayingItem);
  EXPECT_EQ(playing.textColor, core.listLook.playingItemColorSelected);
  for (const int row : {0, 2, 5}) {  // plain, queued and stream rows alike
    const RowPaint paint = Paint(row);
    EXPECT_EQ(paint.fill, core.listLook.selectionColor) << row;
    EXPECT_EQ(paint.textColor, core.listLook.fontColorSelected) << row;
  }
}

TEST_F(RowPaintTest, QueuedWinsOverShuffledAndStreamsAreGreen) {
  core.playlist.QueueEntries = {"/m/queued.mp3", "/m/both.mp3", "http://radio/live|Jazz FM"};
  core.playlist.ShuffleHistory = {"/m/shuffled.mp3", "/m/both.mp3", "/m/playing.mp3",
                                  "http://radio/live|Jazz FM"};
  EXPECT_EQ(Paint(0).textColor, core.listLook.fontColor);
  EXPECT_EQ(Paint(1).textColor, core.listLook.playingItemColor);
  EXPECT_EQ(Paint(2).textColor, core.listLook.queuedItemColor);
  EXPECT_EQ(Paint(3).textColor, core.listLook.shuffledItemColor);
  EXPECT_EQ(Paint(4).textColor, core.listLook.queuedItemColor);
  EXPECT_EQ(Paint(5).textColor, kStreamItemColor);
  for (int row = 0; row < 6; ++row) EXPECT_EQ(Paint(row).fill, core.listLook.backgroundColor);
}

TEST_F(RowPaintTest, QueuePlacesStandBeforeTheText) {
  core.playlist.QueueEntries = {"/m/other.mp3", "/m/other2.mp3", "/m/queued.mp3", "/m/playing.mp3"};
  EXPECT_EQ(Paint(2).text, "3 >   queued.mp3");
  // A playing row that was queued before it started keeps its number.
  const RowPaint playing = Paint(1);
  EXPECT_EQ(playing.text, "4 >   playing.mp3");
  EXPECT_EQ(playing.textColor, core.listLook.playingItemColor);
  EXPECT_EQ(Paint(5).text, "Jazz FM");
  // An entry queued twice shows the later place first.
  core.playlist.QueueEntries = {"/m/plain.mp3", "/m/x.mp3", "/m/plain.mp3"};
  EXPECT_EQ(Paint(0).text, "3 >   1 >   plain.mp3");
}

TEST_F(RowPaintTest, EqualEntriesShareTheirMarks) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/a.mp3"});
  core.playlist.ShuffleHistory = {"/m/a.mp3"};
  core.playlist.QueueEntries = {"/m/b.mp3"};
  const PageMarks marks(core, 1, 3);
  EXPECT_EQ(PaintRow(core, marks, 2).textColor, core.listLook.shuffledItemColor);
  EXPECT_EQ(PaintRow(core, marks, 1).text, "1 >   b.mp3");
}

TEST_F(RowPaintTest, PageMarksMatchAFullSearchOnALongHistory) {
  std::vector<std::string> entries;
  for (int i = 0; i < 3000; ++i) {
    entries.push_back("/m/Album " + std::to_string(i / 10) + "/" + std::to_string(i) + ".mp3");
  }
  SetEntries(entries);
  for (int i = 1; i < 3000; i += 3) core.playlist.ShuffleHistory.push_back(entries[i]);
  core.playlist.QueueEntries = {entries[1500], entries[7], entries[1502]};
  const PageMarks marks(core, 1490, 1530);
  for (int row = 1490; row < 1530; ++row) {
    EXPECT_EQ(marks.Shuffled(entries[row]), row % 3 == 1) << row;
  }
  EXPECT_EQ(marks.QueuePlaces(entries[1500]), std::vector<int>{1});
  EXPECT_EQ(marks.QueuePlaces(entries[1502]), std::vector<int>{3});
  EXPECT_TRUE(marks.QueuePlaces(entries[7]).empty());  // not on the page
}

}  // namespace
}  // namespace tarvo
