#include "playlist/playlist_prefetch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "playlist/formats_read.h"
#include "playlist/load_into_playlist.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

using Lines = std::vector<std::string>;

TEST(PlaylistPrefetch, GivesTheResolvedEntriesOnceAndOnlyForItsPath) {
  testing::TempFolder folder;
  const std::string path = folder.Write("Playlist.txt", "/m/a.mp3\r\nRock\\b.mp3\r\n");
  PlaylistPrefetch prefetch(path);
  EXPECT_FALSE(prefetch.Take(folder.Path() + "other.txt").has_value());
  // The autosave's names are never rewritten: "\\" is part of a Linux name.
  EXPECT_EQ(prefetch.Take(path), (Lines{"/m/a.mp3", folder.Path() + "Rock\\b.mp3"}));
  EXPECT_FALSE(prefetch.Take(path).has_value());
}

TEST(PlaylistPrefetch, AFileChangedSinceTheReadIsReadAgain) {
  testing::TempFolder folder;
  const std::string path = folder.Write("Playlist.txt", "/m/a.mp3\r\n");
  PlaylistPrefetch prefetch(path);
  prefetch.Take("");  // waits for the reader
  folder.Write("Playlist.txt", "/m/a.mp3\r\n/m/new.mp3\r\n");
  EXPECT_FALSE(prefetch.Take(path).has_value());
  PlaylistPrefetch missing(folder.Path() + "none.txt");
  EXPECT_FALSE(missing.Take(folder.Path() + "none.txt").has_value());
}

class PrefetchedLoadTest : public testing::CoreTest {};

TEST_F(PrefetchedLoadTest, TheStartUpLoadUsesTheEntriesReadAhead) {
  home.Write("Playlist.txt", "Rock/a.mp3\r\n/m/b.mp3\r\n");
  PlaylistPrefetch prefetch(home.Path() + "Playlist.txt");
  core.playlistPrefetch = &prefetch;
  LoadIntoPlaylist(core, home.Path() + "Playlist.txt", LoadMode::ReplaceList);
  // Relative lines resolve against the playlist's folder as usual.
  EXPECT_EQ(core.playlist.PlaylistEntries, (Lines{home.Path() + "Rock/a.mp3", "/m/b.mp3"}));
  EXPECT_FALSE(prefetch.Take(home.Path() + "Playlist.txt").has_value());
}

TEST_F(PrefetchedLoadTest, EntriesReadAheadAreAppendedToAListThatIsNotEmpty) {
  home.Write("Playlist.txt", "/m/b.mp3\r\n/m/c.mp3\r\n");
  PlaylistPrefetch prefetch(home.Path() + "Playlist.txt");
  core.playlistPrefetch = &prefetch;
  core.playlist.PlaylistEntries = {"/m/a.mp3"};
  ReadTextPlaylist(core, home.Path() + "Playlist.txt");
  EXPECT_EQ(core.playlist.PlaylistEntries, (Lines{"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"}));
}

}  // namespace
}  // namespace tarvo
