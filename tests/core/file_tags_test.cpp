// Tags beyond ID3v1: what the desktop's media controls and the tag view show
// of FLAC and M4A files, the cover copied once into the cache folder, and the
// ReplayGain factor a file's tags ask for.
#include "media/file_tags.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "media/file_info.h"
#include "media/replay_gain.h"
#include "playback/media_controls.h"
#include "support/audio_fixtures.h"
#include "support/core_fixture.h"
#include "support/legacy_bytes.h"

namespace tarvo {
namespace {

using FileTagsTest = testing::CoreTest;

const testing::AudioSpec kShort{44100, 2, {testing::Tone(0.2)}};

TEST_F(FileTagsTest, MediaControlsNameATaggedFlacAndShowItsCoverFromTheCache) {
  const std::string cover = home.Write("cover.png", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(64, 'p'));
  const std::string flac = home.Path() + "song.flac";
  testing::WriteFlac(flac, kShort, 16,
                     {"ARTIST=Mirae", "TITLE=Sea Fog", "ALBUM=Tide", "ALBUMARTIST=Various", "TRACKNUMBER=3/12",
                      "GENRE=Ambient"});
  ASSERT_EQ(std::system(("metaflac --import-picture-from='3|image/png||1x1x24|" + cover + "' '" + flac + "'").c_str()), 0);
  setenv("XDG_CACHE_HOME", (home.Path() + "cache").c_str(), 1);

  SetEntries({flac});
  core.playlist.CurrentIndex = 0;
  core.playlist.PlayingEntry = flac;
  const std::optional<NowPlaying> now = NowPlayingOf(core);
  unsetenv("XDG_CACHE_HOME");
  ASSERT_TRUE(now);
  EXPECT_EQ(now->title, "Sea Fog");
  EXPECT_EQ(now->artist, "Mirae");
  EXPECT_EQ(now->album, "Tide");
  EXPECT_EQ(now->albumArtist, "Various");
  EXPECT_EQ(now->genre, "Ambient");
  EXPECT_EQ(now->trackNumber, 3);
  ASSERT_FALSE(now->artPath.empty());
  EXPECT_EQ(now->artPath.rfind(home.Path() + "cache/tarvo/covers/", 0), 0u) << now->artPath;
  std::ifstream in(now->artPath, std::ios::binary);
  const std::string copied((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ifstream original(cover, std::ios::binary);
  EXPECT_EQ(copied, std::string((std::istreambuf_iterator<char>(original)), std::istreambuf_iterator<char>()));
}

TEST_F(FileTagsTest, TheTagViewOfAnM4aListsItsFieldsAndAnMp3KeepsItsId3v1View) {
  const std::string m4a = home.Path() + "song.m4a";
  testing::WriteWithFfmpeg(m4a, kShort, "-c:a aac -metadata artist=Mirae -metadata title='Sea Fog'");
  EXPECT_TRUE(HasTagButton(m4a));
  EXPECT_EQ(TagViewCaption(m4a), "View tags");
  const std::string view = TagViewText(m4a);
  EXPECT_NE(view.find("AAC tags:\r\n"), std::string::npos) << view;
  EXPECT_NE(view.find("ARTIST: Mirae\r\n"), std::string::npos) << view;
  EXPECT_NE(view.find("TITLE: Sea Fog\r\n"), std::string::npos) << view;
  EXPECT_EQ(TagViewCaption("/music/a.MP3"), "View MP3 tags");
  EXPECT_NE(TagViewText(home.Write("plain.mp3", "no tag")).find("MP3v1 Tags:"), std::string::npos);

  // A file that is not what its name says has no fields, and no crash.
  EXPECT_TRUE(ReadFileTags(home.Write("fake.flac", "ID3 not flac at all")).fields.empty());
  EXPECT_TRUE(ReadFileTags(home.Write("empty.opus", "")).codec.empty());
}

// Korean taggers wrote ID3v2 titles in Latin-1 frames and ID3v1 artists in
// CP949: both read as Korean, as the tag view and the media controls show.
TEST(FileTagsLegacyText, Latin1FramesAndId3v1ReadInTheLegacyCodepage) {
  const testing::LegacyCodepageScope korean("CP949");
  const std::string title = testing::Encoded("바다 안개", "CP949");
  const std::string artist = testing::Encoded("미래", "CP949");
  std::string frame = "TIT2" + std::string(3, '\0') + static_cast<char>(title.size() + 1) + std::string(2, '\0');
  frame += '\0' + title;
  const std::string id3v2 = "ID3\x03" + std::string(5, '\0') + static_cast<char>(frame.size()) + frame;
  std::string id3v1 = "TAG" + std::string(30, '\0') + artist;
  id3v1.resize(128, '\0');
  EXPECT_EQ(ReadFileTagsOfBytes(id3v2 + std::string(256, '\0'), ".mp3").Field("TITLE"), "바다 안개");
  EXPECT_EQ(ReadFileTagsOfBytes(std::string(256, '\0') + id3v1, ".mp3").Field("ARTIST"), "미래");
}

TEST(ReplayGainFactor, TrackAlbumR128AndThePeakThatKeepsABoostFromClipping) {
  auto tagsOf = [](std::vector<std::pair<std::string, std::string>> fields) {
    FileTags tags;
    tags.fields = std::move(fields);
    return tags;
  };
  const FileTags both = tagsOf({{"REPLAYGAIN_ALBUM_GAIN", "-12 dB"}, {"REPLAYGAIN_TRACK_GAIN", "-6.00 dB"}});
  EXPECT_DOUBLE_EQ(ReplayGainFactor(both, ReplayGainMode::Off), 1.0);
  EXPECT_NEAR(ReplayGainFactor(both, ReplayGainMode::Track), std::pow(10, -6.0 / 20), 1e-9);
  EXPECT_NEAR(ReplayGainFactor(both, ReplayGainMode::Album), std::pow(10, -12.0 / 20), 1e-9);
  // Album mode takes the track's gain when there is no album gain.
  const FileTags track = tagsOf({{"REPLAYGAIN_TRACK_GAIN", "+6 dB"}, {"REPLAYGAIN_TRACK_PEAK", "0.8"}});
  EXPECT_NEAR(ReplayGainFactor(track, ReplayGainMode::Album), 1 / 0.8, 1e-9) << "the boost stops at the peak";
  // Opus: Q7.8 dB towards -23 LUFS, 5 dB below ReplayGain's level.
  EXPECT_NEAR(ReplayGainFactor(tagsOf({{"R128_TRACK_GAIN", "-2816"}}), ReplayGainMode::Track),
              std::pow(10, -6.0 / 20), 1e-9);
  EXPECT_DOUBLE_EQ(ReplayGainFactor(tagsOf({{"REPLAYGAIN_TRACK_GAIN", "loud"}}), ReplayGainMode::Track), 1.0);
  EXPECT_DOUBLE_EQ(ReplayGainFactor(tagsOf({}), ReplayGainMode::Album), 1.0);
}

}  // namespace
}  // namespace tarvo
