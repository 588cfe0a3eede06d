// Names and encodings of playlists from other systems: "\" in Linux file
// names against Windows separators, and UTF-16 text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playlist/formats_write.h"
#include "playlist/load_into_playlist.h"
#include "playlist/model.h"
#include "support/core_fixture.h"
#include "support/legacy_bytes.h"

namespace tarvo {
namespace {

using Entries = std::vector<std::string>;

class PlaylistForeignTextTest : public testing::CoreTest {
 protected:
  const Entries& entries() const { return core.playlist.PlaylistEntries; }
  // The list after replacing it with the playlist at `path`.
  Entries Loaded(const std::string& path) {
    LoadIntoPlaylist(core, path, LoadMode::ReplaceList);
    return entries();
  }
  testing::TempFolder music;
};

TEST_F(PlaylistForeignTextTest, BackslashInALinuxNameSurvivesRestartsAndOurOwnPlaylists) {
  const std::string thunder = music.Write("AC\\DC - Thunder.mp3", "");
  const std::string back = music.Write("AC\\DC/Back\\Black.mp3", "");
  const Entries list{thunder, back, "http://radio.example/live|AC\\DC Radio"};
  // Two restarts: the autosave is written at exit and read at start.
  SetEntries(list);
  for (int restart = 0; restart < 2; ++restart) {
    SavePlaylistFile(core, PlaylistAutosaveFile(core), SaveFormat::Text);
    SetEntries({});
    EXPECT_EQ(Loaded(PlaylistAutosaveFile(core)), list);
  }
  // Saved next to the music, where every name is relative and none has "/".
  for (const auto& [name, format] : {std::pair{"mine.txt", SaveFormat::Text}, std::pair{"mine.m3u", SaveFormat::M3u},
                                     std::pair{"mine.pls", SaveFormat::Pls}}) {
    SCOPED_TRACE(name);
    SetEntries({thunder});
    SavePlaylistFile(core, music.Path() + name, format);
    SetEntries({});
    EXPECT_EQ(Loaded(music.Path() + name), Entries{thunder});
  }
}

TEST_F(PlaylistForeignTextTest, OddEntriesOfTheAutosaveReadBackTheSame) {
  const std::string autosave = PlaylistAutosaveFile(core);
  // Each would read back as another entry if it were written relative or
  // lost a leading byte-order mark.
  const Entries odd{std::string("\xEF\xBB\xBF") + "ab://radio.example/x|BOM",
                    home.Path() + "/x.mp3",
                    home.Path() + "./x.mp3",
                    home.Path() + "ab://x.mp3",
                    home.Path() + "C:/x.mp3",
                    home.Path() + "://1\\",
                    home.Path()};
  for (const std::string& entry : odd) {
    SCOPED_TRACE(entry);
    SetEntries({entry});
    SavePlaylistFile(core, autosave, SaveFormat::Text);
    EXPECT_EQ(Loaded(autosave), Entries{entry});
  }
}

TEST_F(PlaylistForeignTextTest, WindowsPlaylistsStillUseBackslashAsSeparator) {
  const std::string lists = music.Path() + "lists/";
  EXPECT_EQ(Loaded(music.Write("lists/drive.m3u", "C:\\Music\\a.mp3\r\nC:\\Music\\Rock\\b.mp3\r\n")),
            (Entries{"C:/Music/a.mp3", "C:/Music/Rock/b.mp3"}));
  EXPECT_EQ(Loaded(music.Write("lists/up.m3u",
                               "#EXTM3U\r\n#EXTINF:1,AC/DC - Up\r\n..\\a.mp3\r\n"
                               "#EXTINF:-1,Radio\r\nhttp://radio.example/live\r\n")),
            (Entries{lists + "../a.mp3", "http://radio.example/live|Radio"}));
  // In a list that also uses "/", only plainly Windows lines are converted.
  EXPECT_EQ(Loaded(music.Write("lists/mixed.txt", "/m/AC\\DC.mp3\r\n\\\\server\\share\\c.mp3\r\nD:\\d.mp3\r\n")),
            (Entries{"/m/AC\\DC.mp3", "//server/share/c.mp3", "D:/d.mp3"}));
}

// `text` as UTF-16 bytes behind a byte-order mark.
std::string Utf16File(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

TEST_F(PlaylistForeignTextTest, Utf16PlaylistsInEitherByteOrderGiveUtf8Entries) {
  // "\x5C" is also the low byte of some Korean characters ("쑜" is U+C45C).
  const std::u16string text =
      u"#EXTM3U\r\n#EXTINF:1,노래\r\n/m/아이유 - 좋은 날.mp3\r\n"
      u"#EXTINF:2,x\r\n/m/Café Noël 쑜.mp3\r\n#EXTINF:3,y\r\n/m/\U0001F3B5.mp3";
  const Entries expected{"/m/아이유 - 좋은 날.mp3", "/m/Café Noël 쑜.mp3", "/m/\U0001F3B5.mp3"};
  EXPECT_EQ(Loaded(music.Write("le.m3u", Utf16File(text, false))), expected);
  EXPECT_EQ(Loaded(music.Write("be.m3u8", Utf16File(text, true))), expected);
  EXPECT_EQ(Loaded(music.Write("le.txt", Utf16File(u"/m/아이유.mp3\r\n/m/é.mp3", false))),
            (Entries{"/m/아이유.mp3", "/m/é.mp3"}));
  // A lone surrogate and an odd last byte do not stop the read.
  EXPECT_EQ(Loaded(music.Write("bad.m3u", Utf16File(u"/m/a\xD800.mp3\n/m/b.mp3", false) + "x")),
            (Entries{"/m/a\uFFFD.mp3", "/m/b.mp3"}));
}

TEST_F(PlaylistForeignTextTest, LegacyPlaylistsAreReadInTheUsersCodepage) {
  const std::string song = music.Write("노래 하나.mp3", "");
  const std::string m3u = testing::Encoded(
      "#EXTM3U\r\n#EXTINF:61,가수 - 노래\r\n노래 하나.mp3\r\n#EXTINF:-1,한국 방송\r\nhttp://radio.example/live\r\n", "CP949");
  const std::string pls = testing::Encoded(
      "[playlist]\r\nFile1=노래 하나.mp3\r\nFile2=http://radio.example/live\r\nTitle2=한국 방송\r\n", "CP949");
  const std::string m3uPath = music.Write("list.m3u", m3u);
  const std::string plsPath = music.Write("list.pls", pls);
  {
    const testing::LegacyCodepageScope korean("CP949");
    const Entries expected{song, "http://radio.example/live|한국 방송"};
    EXPECT_EQ(Loaded(m3uPath), expected);
    EXPECT_EQ(Loaded(plsPath), expected);
    // ".m3u8" is UTF-8 by its name: its bytes stay.
    EXPECT_EQ(Loaded(music.Write("list.m3u8", m3u)).front(), music.Path() + testing::Encoded("노래 하나.mp3", "CP949"));
  }
  {
    const testing::LegacyCodepageScope cyrillic("CP1251");
    EXPECT_EQ(Loaded(m3uPath), (Entries{music.Path() + "іл·Ў ЗПіЄ.mp3", "http://radio.example/live|ЗС±№ №жјЫ"}));
  }
}

TEST_F(PlaylistForeignTextTest, NamesInLegacyBytesKeepThemThroughPlaylistsAndRestarts) {
  const testing::LegacyCodepageScope korean("CP949");
  const std::string oldName = testing::Encoded("옛 노래.mp3", "CP949");
  const std::string old = music.Write(oldName, "");
  // Another player's list naming the file by its bytes finds it.
  EXPECT_EQ(Loaded(music.Write("old.m3u", oldName + "\r\n")), Entries{old});
  for (int restart = 0; restart < 2; ++restart) {
    SavePlaylistFile(core, PlaylistAutosaveFile(core), SaveFormat::Text);
    SetEntries({});
    EXPECT_EQ(Loaded(PlaylistAutosaveFile(core)), Entries{old});
  }
  // As do our own saved lists.
  SavePlaylistFile(core, music.Path() + "saved.m3u", SaveFormat::M3u);
  EXPECT_EQ(Loaded(music.Path() + "saved.m3u"), Entries{old});
  EXPECT_EQ(EntryDisplayText(core, 0), "옛 노래.mp3");
}

}  // namespace
}  // namespace tarvo
