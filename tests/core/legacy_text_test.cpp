// Text from outside in the user's legacy code page: the choice of the code
// page, the decoding, and the tags, titles and names that go through it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/legacy_text.h"
#include "base/untrusted_text.h"
#include "integration/saved_settings.h"
#include "media/file_info.h"
#include "media/id3v1.h"
#include "platform/file_io.h"
#include "playlist/entry_caption.h"
#include "playlist/model.h"
#include "support/core_fixture.h"
#include "support/legacy_bytes.h"

namespace tarvo {
namespace {

using testing::Encoded;
using testing::LegacyCodepageScope;

const std::string kKorean = "한국 노래";

TEST(LegacyCodepageTest, ComesFromTheLocaleLanguageAndCountry) {
  EXPECT_EQ(LegacyCodepageOfLocale("ko_KR.UTF-8"), "CP949");
  EXPECT_EQ(LegacyCodepageOfLocale("ja_JP.UTF-8"), "CP932");
  EXPECT_EQ(LegacyCodepageOfLocale("zh_TW.UTF-8"), "BIG5");
  EXPECT_EQ(LegacyCodepageOfLocale("zh_SG"), "GB18030");
  EXPECT_EQ(LegacyCodepageOfLocale("sr_RS@latin"), "CP1251");
  EXPECT_EQ(LegacyCodepageOfLocale("cs_CZ.UTF-8"), "CP1250");
  EXPECT_EQ(LegacyCodepageOfLocale("en_US.UTF-8"), "CP1252");
  EXPECT_EQ(LegacyCodepageOfLocale("C.UTF-8"), kNoLegacyCodepage);
  EXPECT_EQ(LegacyCodepageOfLocale(""), kNoLegacyCodepage);
}

TEST(LegacyCodepageTest, AnUnknownSettingFallsBackToTheLocale) {
  const std::string savedLocale = EnvironmentLocale();
  setenv("LC_ALL", "ko_KR.UTF-8", 1);
  EXPECT_EQ(ChooseLegacyCodepage("NO-SUCH-CODEPAGE"), "CP949");
  EXPECT_EQ(ChooseLegacyCodepage("cp1251"), "cp1251");
  if (savedLocale.empty()) unsetenv("LC_ALL");
  else setenv("LC_ALL", savedLocale.c_str(), 1);
  ChooseLegacyCodepage("");
}

TEST(LegacyTextTest, DecodesInTheChosenCodepageAndKeepsUtf8) {
  const std::string cp949 = Encoded(kKorean, "CP949");
  {
    const LegacyCodepageScope scope("CP949");
    EXPECT_EQ(TextFromOutside(cp949), kKorean);
    EXPECT_EQ(TextFromOutside(kKorean), kKorean);
    // A byte CP949 can't decode is read as Latin-1; the rest still decodes,
    // as does a pair cut off at the end.
    EXPECT_EQ(TextFromOutside("\xFF" + cp949 + "\xC7"), "ÿ" + kKorean + "Ç");
    // The station's title: decoded, then cleaned of control characters.
    EXPECT_EQ(ShowableNetworkText("\x01" + cp949), kKorean);
  }
  {
    const LegacyCodepageScope scope("CP1251");
    EXPECT_EQ(TextFromOutside("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет");
  }
  const LegacyCodepageScope none(kNoLegacyCodepage);
  EXPECT_EQ(TextFromOutside("Caf\xE9"), "Café");
}

class LegacyTextCoreTest : public testing::CoreTest {};

TEST_F(LegacyTextCoreTest, TheSettingChoosesTheCodepage) {
  home.Write("Tarvo.ini", "[Tweak]\r\nLegacyCodepage=CP949\r\n");
  LoadSettings(core, 1280, 1024);
  EXPECT_EQ(LegacyCodepage(), "CP949");
  EXPECT_EQ(TextFromOutside(Encoded(kKorean, "CP949")), kKorean);
  ChooseLegacyCodepage("");
}

TEST_F(LegacyTextCoreTest, TagsAndFileNamesAreShownDecodedWhileEntriesKeepTheirBytes) {
  const LegacyCodepageScope scope("CP949");
  std::string tag(128, '\0');
  tag.replace(0, 3, "TAG");
  const std::string title = Encoded(kKorean, "CP949");
  tag.replace(3, title.size(), title);
  const std::string name = Encoded("노래.mp3", "CP949");
  const std::string song = home.Write(name, std::string(500, 'x') + tag);
  TID3v1 id3;
  ASSERT_TRUE(id3.ReadTag(song));
  EXPECT_EQ(id3.Title, kKorean);

  SetEntries({song});
  EXPECT_EQ(core.playlist.PlaylistEntries.front(), song);
  EXPECT_EQ(EntryDisplayText(core, 0), "노래.mp3");
  SetEntryCaption(core, name, song, "");
  EXPECT_EQ(core.texts.caption, "노래.mp3 - Tarvo");

  // F2 shows the decoded name; left as shown it keeps the file's bytes, a
  // new name renames the file.
  EXPECT_EQ(RenameEntryFile(core, 0, "노래.mp3"), RenameOutcome::Unchanged);
  EXPECT_TRUE(FileExists(song));
  EXPECT_EQ(RenameEntryFile(core, 0, "새 노래.mp3"), RenameOutcome::Renamed);
  EXPECT_EQ(core.playlist.PlaylistEntries.front(), home.Path() + "새 노래.mp3");
  EXPECT_TRUE(FileExists(home.Path() + "새 노래.mp3"));
}

}  // namespace
}  // namespace tarvo
