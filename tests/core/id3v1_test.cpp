// ID3v1 tags: the block at the end of a file read field by field, from bytes
// written here and from a tag written by lame.
#include "media/id3v1.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/audio_fixtures.h"
#include "support/temp_folder.h"

namespace tarvo {
namespace {

// A 128-byte tag block: "TAG", the fields padded with NULs, the genre.
struct TagBytes {
  std::string block = std::string("TAG") + std::string(125, '\0');

  TagBytes& Field(std::size_t offset, std::string_view text) {
    block.replace(offset, text.size(), text);
    return *this;
  }
  TagBytes& Byte(std::size_t offset, int value) {
    block[offset] = static_cast<char>(value);
    return *this;
  }
};

class Id3v1Test : public ::testing::Test {
 protected:
  // Some audio bytes, then the block.
  std::string FileWith(const std::string& block) { return folder.Write("song.mp3", std::string(500, 'x') + block); }

  testing::TempFolder folder;
  TID3v1 tag;
};

TEST_F(Id3v1Test, MissingShortAndUntaggedFilesLeaveTheFieldsReset) {
  EXPECT_FALSE(tag.ReadTag(folder.Path() + "missing.mp3"));
  EXPECT_FALSE(tag.ReadTag(folder.Write("short.mp3", std::string(127, 'x'))));
  EXPECT_EQ(tag.GenreIndex, 255);
  EXPECT_EQ(tag.GenreText(), "");

  TagBytes lower;
  lower.Field(0, "tag").Field(3, "Title");
  EXPECT_TRUE(tag.ReadTag(FileWith(lower.block)));
  EXPECT_FALSE(tag.TagFound);
  EXPECT_EQ(tag.Title, "");
}

TEST_F(Id3v1Test, VersionOneOneTakesTheTrackAndCutsTheComment) {
  TagBytes bytes;
  bytes.Field(97, std::string(30, 'c')).Byte(125, 0).Byte(126, 7).Byte(127, 147);
  ASSERT_TRUE(tag.ReadTag(FileWith(bytes.block)));
  EXPECT_TRUE(tag.TagFound);
  EXPECT_EQ(tag.TagVersion, 2);
  EXPECT_EQ(tag.Track, 7);
  EXPECT_EQ(tag.Comment, std::string(28, 'c'));
  EXPECT_EQ(tag.GenreText(), "Synthpop");

  bytes.Byte(126, 0).Byte(127, 148);
  ASSERT_TRUE(tag.ReadTag(FileWith(bytes.block)));
  EXPECT_EQ(tag.TagVersion, 1);
  EXPECT_EQ(tag.Track, 0);
  EXPECT_EQ(tag.Comment, std::string(28, 'c'));
  EXPECT_EQ(tag.GenreText(), "");
}

TEST_F(Id3v1Test, TextIsTrimmedAtTheEndOnlyAndAlwaysValidUtf8) {
  TagBytes bytes;
  bytes.Field(3, std::string("Song\0Two", 8))
      .Field(33, "  Artist   \x01")
      // "Café" once in Latin-1, once in UTF-8; a lone continuation byte.
      .Field(63, "Caf\xE9 / Caf\xC3\xA9 \x80")
      .Field(93, "99  ");
  ASSERT_TRUE(tag.ReadTag(FileWith(bytes.block)));
  EXPECT_EQ(tag.Title, std::string("Song\0Two", 8));
  EXPECT_EQ(tag.Artist, "  Artist");
  EXPECT_EQ(tag.Album, "Caf\xC3\xA9 / Caf\xC3\xA9 \xC2\x80");
  EXPECT_EQ(tag.Year, "99");
}

TEST_F(Id3v1Test, ReadsTheTagThatLameWrites) {
  const std::string wav = folder.Path() + "tone.wav";
  testing::WriteWav(wav, testing::AudioSpec{44100, 2, {testing::Tone(0.5)}});
  const std::string mp3 = folder.Path() + "tagged.mp3";
  const std::string command = "lame --quiet --id3v1-only --tt 'A Title' --ta 'The Artist' --tl 'An Album' "
                              "--ty 1999 --tc 'Some words' --tn 7 --tg Synthpop '" + wav + "' '" + mp3 + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  ASSERT_TRUE(tag.ReadTag(mp3));
  EXPECT_TRUE(tag.TagFound);
  EXPECT_EQ(tag.Title, "A Title");
  EXPECT_EQ(tag.Artist, "The Artist");
  EXPECT_EQ(tag.Album, "An Album");
  EXPECT_EQ(tag.Year, "1999");
  EXPECT_EQ(tag.Comment, "Some words");
  EXPECT_EQ(tag.TagVersion, 2);
  EXPECT_EQ(tag.Track, 7);
  EXPECT_EQ(tag.GenreText(), "Synthpop");
}

}  // namespace
}  // namespace tarvo
