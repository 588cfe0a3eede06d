#include "playlist/entry.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

TEST(EntryKindOf, ClassifiesByExtensionCaseInsensitively) {
  EXPECT_EQ(EntryKindOf("/music/a.mp3"), EntryKind::Audio);
  EXPECT_EQ(EntryKindOf("/music/A.MP3"), EntryKind::Audio);
  EXPECT_EQ(EntryKindOf("/music/a.Ogg"), EntryKind::Audio);
  EXPECT_EQ(EntryKindOf("/music/a.mp1"), EntryKind::Audio);
  EXPECT_EQ(EntryKindOf("/music/a.s3m"), EntryKind::Module);
  EXPECT_EQ(EntryKindOf("/music/a.it"), EntryKind::Module);
  EXPECT_EQ(EntryKindOf("/music/a.wma"), EntryKind::Stream);
  EXPECT_EQ(EntryKindOf("/lists/a.m3u"), EntryKind::M3uList);
  EXPECT_EQ(EntryKindOf("/lists/a.M3U8"), EntryKind::M3uList);
  EXPECT_EQ(EntryKindOf("/lists/a.pls"), EntryKind::PlsList);
  EXPECT_EQ(EntryKindOf("/lists/a.asx"), EntryKind::AsxList);
  EXPECT_EQ(EntryKindOf("/lists/a.b4s"), EntryKind::B4sList);
  EXPECT_EQ(EntryKindOf("/lists/a.TXT"), EntryKind::TxtList);
}

TEST(EntryKindOf, UnknownOrMissingExtensionIsUnsupported) {
  EXPECT_EQ(EntryKindOf("/music/a.mp3.bak"), EntryKind::Unsupported);
  EXPECT_EQ(EntryKindOf("/music/a.ape"), EntryKind::Unsupported);
  EXPECT_EQ(EntryKindOf("/music/a.umx"), EntryKind::Unsupported);
  EXPECT_EQ(EntryKindOf("/music.d/song"), EntryKind::Unsupported);
  EXPECT_EQ(EntryKindOf(""), EntryKind::Unsupported);
}

TEST(EntryKindOf, AddressNeedsMoreThanSixCharacters) {
  EXPECT_EQ(EntryKindOf("a://b.c"), EntryKind::Stream);      // 7 characters
  EXPECT_EQ(EntryKindOf("ab://cd|x"), EntryKind::Stream);    // the title does not count
  EXPECT_EQ(EntryKindOf("a://b"), EntryKind::Unsupported);   // 5 characters: by extension
  EXPECT_EQ(EntryKindOf("x://.mp3"), EntryKind::Stream);
  EXPECT_EQ(EntryKindOf("a:/.mp3"), EntryKind::Audio);
  EXPECT_EQ(EntryKindOf("http://radio.example/live|Jazz"), EntryKind::Stream);
}

TEST(EntryParts, LocationAndTitleSplitAtTheFirstBar) {
  EXPECT_EQ(EntryLocation("http://a/b|Title|More"), "http://a/b");
  EXPECT_EQ(EntryTitle("http://a/b|Title|More"), "Title|More");
  EXPECT_EQ(EntryLocation("/music/a.mp3"), "/music/a.mp3");
  EXPECT_EQ(EntryTitle("/music/a.mp3"), "/music/a.mp3");
  EXPECT_EQ(EntryTitle("http://a/b|"), "");
}

TEST(EntryParts, TitleIsCutAtThousandBytesWithoutSplittingACharacter) {
  const std::string longTitle = std::string(999, 'x') + "\xC3\xA4" + "tail";
  const std::string_view title = EntryTitle("http://a/b|" + longTitle);
  EXPECT_EQ(title.size(), 999u);
  EXPECT_EQ(EntryTitle("http://a/b|" + std::string(1500, 'y')).size(), 1000u);
}

TEST(EntryParts, FileNameFolderAndExtension) {
  EXPECT_EQ(FileNameOf("/a/b/c.mp3"), "c.mp3");
  EXPECT_EQ(FolderOf("/a/b/c.mp3"), "/a/b/");
  EXPECT_EQ(FolderOf("c.mp3"), "");
  EXPECT_EQ(ExtensionOf("/a.b/c"), "");
  EXPECT_EQ(ExtensionOf("/a/c.tar.gz"), ".gz");
}

}  // namespace
}  // namespace tarvo
