#include "playback/sequencing.h"

#include <gtest/gtest.h>

#include <set>

#include "playback/key_dispatcher.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

using testing::CoreTest;
using Entries = std::vector<std::string>;

constexpr int kMissing = 1;

// A core whose fake engine starts entries the way the real one does: a
// playable entry becomes current and playing, goes through the history
// bookkeeping, and an output that was paused now plays.
class SequencingTest : public CoreTest {
 protected:
  SequencingTest() {
    core.sequencing.shuffleRandom.seed(7);
    playback.onPlayEntry = [this](int index) {
      const Entries& entries = core.playlist.PlaylistEntries;
      if (index < 0 || index >= static_cast<int>(entries.size())) return;
      if (playback.probeCodes.contains(entries[index])) return;
      core.playlist.CurrentIndex = index;
      core.playlist.PlayingEntry = entries[index];
      RecordStartedEntry(core, entries[index]);
      playback.paused = false;
    };
  }

  void Start(int index) { playback.PlayEntry(index, false); }
  std::string Next() {
    Step(core, false);
    return core.playlist.PlayingEntry;
  }
  std::string Previous() {
    Step(core, true);
    return core.playlist.PlayingEntry;
  }
};

TEST(RecentRing, PushKeepsTenDistinctEntriesAndPopNeedsTheEntryInTheList) {
  RecentRing ring;
  for (int n = 0; n < 12; ++n) RingPush(ring, "e" + std::to_string(n));
  EXPECT_EQ(ring[0], "e11");
  EXPECT_EQ(ring[9], "e2");
  EXPECT_EQ(ring[10], "");
  RingPush(ring, "e5");  // already held: does not move to the front
  EXPECT_EQ(ring[0], "e11");
  EXPECT_EQ(ring[6], "e5");

  EXPECT_EQ(RingPop(ring, {"e9", "e10"}), "e10");
  EXPECT_EQ(ring[0], "e10");
  EXPECT_EQ(ring[8], "e2");
  EXPECT_EQ(ring[9], "");

  const RecentRing before = ring;
  EXPECT_EQ(RingPop(ring, {"e11"}), "");  // slot 1 (e9) is gone from the list
  EXPECT_EQ(ring, before);
  EXPECT_EQ(RingPop(ring, {"e9"}), "e9");
}

TEST_F(SequencingTest, EveryModeAtBothEndsOfTheList) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"});
  struct Case {
    int mode;
    int current;
    bool backwards;
    int expected;
  };
  const Case cases[] = {
      {kRepeatListMode, 2, false, 0}, {kRepeatListMode, 0, true, 2},  {kRepeatListMode, 1, false, 2},
      {kRepeatListMode, -1, false, 0}, {kRepeatFileMode, 2, false, 2}, {kRepeatFileMode, 0, true, 0},
      {kPlayListMode, 2, false, -1},  {kPlayListMode, 0, true, -1},   {kPlayListMode, 1, true, 0},
      {kPlayFileMode, 1, false, -1},  {kPlayFileMode, 1, true, -1},
  };
  for (const Case& c : cases) {
    core.settings.playMode = c.mode;
    core.playlist.CurrentIndex = c.current;
    EXPECT_EQ(PickNextIndex(core, c.backwards), c.expected)
        << "mode " << c.mode << " from " << c.current << (c.backwards ? " back" : " forward");
  }
}

TEST_F(SequencingTest, FailingEntriesAndStreamsArePassedOver) {
  SetEntries({"/m/a.mp3", "/m/gone.mp3", "http://radio/live|Jazz", "/m/d.mp3"});
  playback.probeCodes["/m/gone.mp3"] = kMissing;
  core.playlist.CurrentIndex = 0;
  EXPECT_EQ(PickNextIndex(core, false), 3);
  EXPECT_TRUE(ui.messages.empty());

  // Nothing playable: every entry is tried once, then nothing happens.
  playback.probeCodes["/m/a.mp3"] = kMissing;
  playback.probeCodes["/m/d.mp3"] = kMissing;
  playback.probed.clear();
  EXPECT_EQ(PickNextIndex(core, false), -1);
  EXPECT_EQ(playback.probed.size(), 3u);  // the stream is skipped unprobed

  // Shuffle goes round twice, emptying its history in between.
  SetEntries({"/m/a.mp3", "/m/gone.mp3", "/m/d.mp3"});
  core.settings.playMode = kShuffleMode;
  playback.probed.clear();
  EXPECT_EQ(PickNextIndex(core, false), -1);
  EXPECT_EQ(playback.probed.size(), 6u);
  EXPECT_EQ(std::set<std::string>(playback.probed.begin(), playback.probed.begin() + 3).size(), 3u);
}

TEST_F(SequencingTest, NextOverInternetStreamsOnlyDoesNothing) {
  SetEntries({"http://radio/one|One", "http://radio/two|Two"});
  for (int mode : {kRepeatListMode, kShuffleMode}) {
    core.settings.playMode = mode;
    core.playlist.CurrentIndex = 0;
    Step(core, false);
    Step(core, true);
  }
  EXPECT_TRUE(playback.played.empty());
}

TEST_F(SequencingTest, QueuePlaysFirstAndAMissingQueuedEntryLeavesWithTheNext) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3"});
  playback.probeCodes["/m/c.mp3"] = kMissing;
  Start(0);
  // Queued entries passed over, gone from the list or missing, leave the
  // queue together with the one that plays.
  core.playlist.QueueEntries = {"/m/removed.mp3", "/m/c.mp3", "/m/d.mp3"};
  EXPECT_EQ(Next(), "/m/d.mp3");
  EXPECT_TRUE(core.playlist.QueueEntries.empty());
  EXPECT_EQ(core.sequencing.RecentQueued[0], "/m/d.mp3");
  EXPECT_EQ(Next(), "/m/a.mp3");  // queue empty: repeat list wraps
}

TEST_F(SequencingTest, PreviousWalksBackThroughQueuedEntriesInAnyMode) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3"});
  core.settings.playMode = kPlayFileMode;  // on its own, next and previous do nothing here
  Start(0);
  core.playlist.QueueEntries = {"/m/d.mp3", "/m/b.mp3"};
  EXPECT_EQ(Next(), "/m/d.mp3");
  EXPECT_EQ(Next(), "/m/b.mp3");
  EXPECT_EQ(Next(), "/m/b.mp3");  // queue used up: play file stops here
  EXPECT_EQ(Previous(), "/m/d.mp3");
  const std::size_t plays = playback.played.size();
  EXPECT_EQ(Previous(), "/m/d.mp3");  // nothing recorded before it
  EXPECT_EQ(playback.played.size(), plays);
}

TEST_F(SequencingTest, ShuffleDrawsEachEntryOnceThenStartsAfresh) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"});
  for (unsigned seed = 0; seed < 20; ++seed) {
    core.sequencing.shuffleRandom.seed(seed);
    SetPlayMode(core, kShuffleMode);
    std::set<std::string> round;
    for (int n = 0; n < 3; ++n) round.insert(Next());
    EXPECT_EQ(round.size(), 3u) << "seed " << seed;
    EXPECT_EQ(core.playlist.ShuffleHistory.size(), 3u);
    Next();
    EXPECT_EQ(core.playlist.ShuffleHistory.size(), 1u);
  }
}

TEST_F(SequencingTest, PreviousInShuffleReturnsThroughThePlayedEntries) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3"});
  SetPlayMode(core, kShuffleMode);
  const std::string first = Next();
  const std::string second = Next();
  Next();
  EXPECT_EQ(Previous(), second);
  EXPECT_EQ(Previous(), first);
  EXPECT_EQ(Previous(), first);  // no earlier entry: restarts the current one
  EXPECT_EQ(playback.played.back(), core.playlist.CurrentIndex);
}

TEST_F(SequencingTest, PreviousInShuffleSkipsAnEntryNoLongerInTheList) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"});
  SetPlayMode(core, kShuffleMode);
  Start(0);
  Start(1);
  core.playlist.PlaylistEntries = {"/m/b.mp3", "/m/c.mp3"};
  core.playlist.CurrentIndex = 0;
  EXPECT_EQ(Previous(), "/m/b.mp3");
  EXPECT_EQ(playback.played.back(), 0);
}

TEST_F(SequencingTest, StepWhilePausedMovesAndStaysPaused) {
  SetEntries({"/m/a.mp3", "/m/b.mp3"});
  Start(0);
  playback.paused = true;
  Next();
  EXPECT_EQ(core.playlist.CurrentIndex, 1);
  EXPECT_TRUE(playback.paused);
  EXPECT_EQ(playback.calls, Entries{"PauseOrResume"});

  core.settings.playMode = kPlayFileMode;  // nothing to move to
  Next();
  EXPECT_EQ(playback.played.size(), 2u);
  EXPECT_TRUE(playback.paused);
  EXPECT_EQ(playback.calls.size(), 1u);
}

TEST_F(SequencingTest, StartedEntriesEnterTheHistory) {
  SetEntries({"/m/a.mp3", "/m/b.mp3"});
  core.settings.playMode = kShuffleMode;
  core.playlist.QueueEntries = {"/m/b.mp3", "/m/a.mp3", "/m/b.mp3"};
  RecordJoinedEntry(core, "/m/b.mp3");
  EXPECT_EQ(core.playlist.QueueEntries.size(), 3u);
  EXPECT_EQ(core.sequencing.RecentPlayed[0], "/m/b.mp3");
  RecordStartedEntry(core, "/m/b.mp3");
  EXPECT_EQ(core.playlist.QueueEntries, (Entries{"/m/a.mp3", "/m/b.mp3"}));
  EXPECT_EQ(core.sequencing.RecentQueued[0], "/m/b.mp3");
  EXPECT_EQ(core.playlist.ShuffleHistory, (Entries{"/m/b.mp3", "/m/b.mp3"}));
}

TEST_F(SequencingTest, ChoosingAModeShowsItAndEmptiesQueueAndHistory) {
  SetEntries({"/m/a.mp3", "/m/b.mp3"});
  const char* texts[] = {"", "Repeat file", "Play list", "Play file     ", "Shuffle"};
  for (int mode = 0; mode < kPlayModeCount; ++mode) {
    SetPlayMode(core, mode);
    EXPECT_EQ(core.texts.statusPanels[2], texts[mode]);
    EXPECT_EQ(core.texts.checkedModeCommand, mode);
  }

  const int changes = ui.listViewChanges;
  SetPlayMode(core, kShuffleMode);  // nothing to empty: the list is left alone
  EXPECT_EQ(ui.listViewChanges, changes);
  core.playlist.QueueEntries = {"/m/b.mp3"};
  core.playlist.ShuffleHistory = {"/m/a.mp3"};
  SetPlayMode(core, kShuffleMode);  // the same mode again still empties them
  EXPECT_TRUE(core.playlist.QueueEntries.empty());
  EXPECT_TRUE(core.playlist.ShuffleHistory.empty());
  EXPECT_GT(ui.listViewChanges, changes);

  CyclePlayMode(core, false);
  EXPECT_EQ(core.settings.playMode, kRepeatListMode);
  CyclePlayMode(core, true);
  EXPECT_EQ(core.settings.playMode, kShuffleMode);
  core.settings.playMode = 9;  // from a hand-edited settings file
  ShowPlayMode(core);
  EXPECT_EQ(core.settings.playMode, kRepeatListMode);
}

TEST_F(SequencingTest, JumpToPlayingSelectsTheRowOrExplains) {
  SetEntries({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"});
  JumpToPlaying(core);  // nothing playing
  EXPECT_TRUE(ui.messages.empty());

  core.playlist.PlayingEntry = "/m/b.mp3";
  core.playlist.CurrentIndex = 1;
  JumpToPlaying(core);
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(core.listView.focusedRow, 1);

  core.playlist.CurrentIndex = -1;
  JumpToPlaying(core);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(ui.messages[0].text,
            "/m/b.mp3\ris not in the current playlist or the list has been changed.");
}

TEST_F(SequencingTest, LovePlaylistShufflesAtFullVolumeOrSaysWhereToSaveIt) {
  SetEntries({"/m/old.mp3"});
  DispatchKeyCommand(core, kKeyNumpad7, kNoModifier);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("love.txt"), std::string::npos);
  EXPECT_TRUE(playback.played.empty());
  EXPECT_FALSE(core.requests.loveLook);

  home.Write("love.txt", "/m/x.mp3\r\n/m/y.mp3\r\n");
  core.settings.volume = 300;
  core.playlist.QueueEntries = {"/m/old.mp3"};
  DispatchKeyCommand(core, kKeyNumpad7, kNoModifier);
  EXPECT_EQ(core.playlist.PlaylistEntries, (Entries{"/m/x.mp3", "/m/y.mp3"}));
  EXPECT_EQ(core.settings.volume, 1000);
  EXPECT_EQ(core.settings.playMode, kShuffleMode);
  EXPECT_TRUE(core.playlist.QueueEntries.empty());
  EXPECT_EQ(playback.played, std::vector<int>{0});
  EXPECT_TRUE(core.requests.loveLook);
}

}  // namespace
}  // namespace tarvo
