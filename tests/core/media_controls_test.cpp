#include "playback/media_controls.h"

#include <gtest/gtest.h>

#include <cmath>

#include "playback/sequencing.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

using MediaControlsTest = testing::CoreTest;

// The desktop's loop status and shuffle over the five play modes, set and
// read back; a value that already describes the mode keeps the queue.
TEST_F(MediaControlsTest, LoopStatusAndShufflePickPlayModes) {
  const std::string_view loops[] = {"Playlist", "Track", "None", "None", "Playlist"};
  for (int mode = 0; mode < kPlayModeCount; ++mode) EXPECT_EQ(LoopStatusOfMode(mode), loops[mode]) << mode;

  SetLoopStatus(core, "Track");
  EXPECT_EQ(core.settings.playMode, kRepeatFileMode);
  EXPECT_EQ(core.texts.statusPanels[2], "Repeat file");
  SetShuffle(core, true);
  EXPECT_EQ(core.settings.playMode, kShuffleMode);
  EXPECT_EQ(core.texts.statusPanels[2], "Shuffle");

  core.playlist.QueueEntries = {"/music/a.mp3"};
  SetLoopStatus(core, "Playlist");
  SetShuffle(core, true);
  SetLoopStatus(core, "Sideways");
  EXPECT_EQ(core.settings.playMode, kShuffleMode);
  EXPECT_EQ(core.playlist.QueueEntries.size(), 1u);

  SetShuffle(core, false);
  EXPECT_EQ(core.settings.playMode, kRepeatListMode);
  SetPlayMode(core, kPlayFileMode);
  SetLoopStatus(core, "None");
  EXPECT_EQ(core.settings.playMode, kPlayFileMode);
  SetLoopStatus(core, "Track");
  SetLoopStatus(core, "None");
  EXPECT_EQ(core.settings.playMode, kPlayListMode);
}

TEST_F(MediaControlsTest, VolumeIsTheProgramsScaleClamped) {
  SetMediaVolume(core, 0.5);
  EXPECT_EQ(core.settings.volume, 500);
  EXPECT_DOUBLE_EQ(MediaVolumeOf(core.settings.volume), 0.5);
  SetMediaVolume(core, 1.7);
  EXPECT_EQ(core.settings.volume, 1000);
  SetMediaVolume(core, -0.2);
  EXPECT_EQ(core.settings.volume, 0);
  SetMediaVolume(core, std::nan(""));
  EXPECT_EQ(core.settings.volume, 0);
}

// The heard entry is the current row: the player's entry may already be the
// next one, opened ahead of a gapless join.
TEST_F(MediaControlsTest, NowPlayingDescribesTheHeardEntry) {
  EXPECT_FALSE(NowPlayingOf(core));
  SetEntries({"/music/one.mp3", "http://radio.example/live|Radio One"});
  core.playlist.CurrentIndex = 0;
  core.playlist.PlayingEntry = "http://radio.example/live|Radio One";
  core.progress.max = 61500;
  std::optional<NowPlaying> now = NowPlayingOf(core);
  ASSERT_TRUE(now);
  EXPECT_EQ(now->title, "one.mp3");
  EXPECT_EQ(now->location, "/music/one.mp3");
  EXPECT_EQ(now->lengthMicroseconds, 61500000);
  EXPECT_EQ(now->trackId, TrackIdOf("/music/one.mp3"));
  EXPECT_NE(now->trackId, TrackIdOf("/music/two.mp3"));

  // A file's ID3v1 tag gives the title, artist and album; an inner NUL,
  // which D-Bus cannot carry, shows as a space.
  std::string tag = "TAG" + std::string(125, '\0');
  tag.replace(3, 7, std::string("Sea\0Fog", 7));
  tag.replace(33, 5, "Mirae");
  tag.replace(63, 4, "Tide");
  const std::string tagged = home.Write("tagged.mp3", std::string(400, 'x') + tag);
  SetEntries({tagged, "http://radio.example/live|Radio One"});
  now = NowPlayingOf(core);
  EXPECT_EQ(now->title, "Sea Fog");
  EXPECT_EQ(now->artist, "Mirae");
  EXPECT_EQ(now->album, "Tide");

  core.playlist.CurrentIndex = 1;
  now = NowPlayingOf(core);
  EXPECT_TRUE(now->isStream);
  EXPECT_EQ(now->title, "Radio One");
  EXPECT_EQ(now->location, "http://radio.example/live");
  EXPECT_EQ(now->lengthMicroseconds, 0);
  // What the station sends names the song: "Artist - Title" gives both.
  core.streamTitle = "Mirae - Sea Fog";
  now = NowPlayingOf(core);
  EXPECT_EQ(now->artist, "Mirae");
  EXPECT_EQ(now->title, "Sea Fog");
  core.streamTitle = "News at six";
  EXPECT_EQ(NowPlayingOf(core)->title, "News at six");
}

TEST_F(MediaControlsTest, NextAndPreviousFollowThePlayMode) {
  EXPECT_FALSE(CanGoNext(core));
  SetEntries({"/music/a.mp3", "/music/b.mp3"});
  core.playlist.CurrentIndex = 1;
  EXPECT_TRUE(CanGoNext(core) && CanGoPrevious(core));
  core.settings.playMode = kPlayListMode;
  EXPECT_FALSE(CanGoNext(core));
  EXPECT_TRUE(CanGoPrevious(core));
  core.settings.playMode = kPlayFileMode;
  EXPECT_FALSE(CanGoNext(core) || CanGoPrevious(core));
}

// Play resumes a paused entry and starts a stopped one; Pause only pauses;
// Stop stops at once and releases the device.
TEST_F(MediaControlsTest, PlayPauseAndStopEnterTheDispatcher) {
  SetEntries({"/music/a.mp3"});
  MediaPlay(core, MediaStatus::Playing);
  MediaPause(core, MediaStatus::Paused);
  EXPECT_TRUE(playback.calls.empty());
  MediaPlay(core, MediaStatus::Stopped);
  MediaPlay(core, MediaStatus::Paused);
  MediaPlayPause(core, MediaStatus::Stopped);
  MediaPlayPause(core, MediaStatus::Playing);
  EXPECT_EQ(playback.calls,
            (std::vector<std::string>{"PlaySelected", "PauseOrResume", "PlaySelected", "PauseOrResume"}));
  MediaStop(core);
  EXPECT_EQ(playback.stops, std::vector<bool>{true});
}

}  // namespace
}  // namespace tarvo
