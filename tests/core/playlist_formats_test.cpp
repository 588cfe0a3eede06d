#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "base/text.h"
#include "playlist/formats_read.h"
#include "playlist/formats_write.h"
#include "playlist/load_into_playlist.h"
#include "playlist/playlist_lines.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

using testing::CoreTest;
using Entries = std::vector<std::string>;

class PlaylistFormatsTest : public CoreTest {
 protected:
  const Entries& entries() const { return core.playlist.PlaylistEntries; }
  // A second temporary folder for the playlists themselves.
  testing::TempFolder lists;
};

TEST(ResolvePlaylistLine, KeepsAbsoluteAndAddressLinesAndResolvesTheRest) {
  const std::string folder = "/lists/";
  constexpr Backslashes windows = Backslashes::Separators;
  EXPECT_EQ(ResolvePlaylistLine("Rock\\a.mp3", folder, windows), "/lists/Rock/a.mp3");
  // A single leading "\" means the playlist's folder, not the root.
  EXPECT_EQ(ResolvePlaylistLine("\\Rock\\a.mp3", folder, windows), "/lists/Rock/a.mp3");
  EXPECT_EQ(ResolvePlaylistLine("/music/a.mp3", folder, windows), "/music/a.mp3");
  EXPECT_EQ(ResolvePlaylistLine("file:///music/a.mp3", folder, windows), "file:///music/a.mp3");
  // A stream keeps address and title exactly, backslashes included.
  EXPECT_EQ(ResolvePlaylistLine("http://radio.example/live|AC\\DC", folder, windows),
            "http://radio.example/live|AC\\DC");
  // A colon inside a relative name does not make it absolute.
  EXPECT_EQ(ResolvePlaylistLine("Song: Live.mp3", folder, windows), "/lists/Song: Live.mp3");
  EXPECT_EQ(ResolvePlaylistLine("", folder, windows), "/lists/");
  EXPECT_EQ(ResolvePlaylistLine("./a.mp3", folder, windows), "/lists/a.mp3");
}

TEST(ResolvePlaylistLine, BackslashSeparatesOnlyInWindowsPathsUnlessTheListUsesItThroughout) {
  const std::string folder = "/lists/";
  constexpr Backslashes mixed = Backslashes::InWindowsPaths;
  EXPECT_EQ(ResolvePlaylistLine("D:\\Music\\a.mp3", folder, mixed), "D:/Music/a.mp3");
  EXPECT_EQ(ResolvePlaylistLine("\\\\server\\share\\a.mp3", folder, mixed), "//server/share/a.mp3");
  EXPECT_EQ(ResolvePlaylistLine("/music/AC\\DC - Thunder.mp3", folder, mixed), "/music/AC\\DC - Thunder.mp3");
  EXPECT_EQ(ResolvePlaylistLine("./AC\\DC.mp3", folder, mixed), "/lists/AC\\DC.mp3");
  // Our own list never rewrites a name, whatever it looks like.
  EXPECT_EQ(ResolvePlaylistLine("D:\\x.mp3", folder, Backslashes::InNames), "/lists/D:\\x.mp3");

  EXPECT_EQ(BackslashesOfLines({"http://radio.example/a", "..\\a.mp3", "", "b.mp3"}), Backslashes::Separators);
  EXPECT_EQ(BackslashesOfLines({"..\\a.mp3", "Pop/b.mp3"}), Backslashes::InWindowsPaths);
  EXPECT_EQ(BackslashesOfLines({"a.mp3", "b.mp3"}), Backslashes::InWindowsPaths);
}

TEST_F(PlaylistFormatsTest, TextPlaylistSavedRelativeReadsBackWhereverItMoved) {
  const std::string folder = lists.Path() + "Lists/";
  SetEntries({folder + "Rock/a.mp3", "/elsewhere/b.mp3", "http://radio.example/live|Jazz Radio"});
  const std::string path = folder + "mine.txt";
  std::filesystem::create_directories(folder);
  SavePlaylistFile(core, path, SaveFormat::Text);
  const std::string written = lists.Read("Lists/mine.txt");
  EXPECT_EQ(written, "Rock/a.mp3\r\n/elsewhere/b.mp3\r\nhttp://radio.example/live|Jazz Radio\r\n");

  const std::string moved = lists.Write("Moved/mine.txt", written);
  SetEntries({});
  ReadTextPlaylist(core, moved);
  EXPECT_EQ(entries(), (Entries{lists.Path() + "Moved/Rock/a.mp3", "/elsewhere/b.mp3",
                                "http://radio.example/live|Jazz Radio"}));
}

TEST_F(PlaylistFormatsTest, SaveCutsTheTargetFolderOnlyAsAnExactPrefix) {
  const std::string folder = lists.Path() + "lists/";
  std::filesystem::create_directories(folder);
  SetEntries({folder + "c" + folder + "x.mp3", lists.Path() + "Lists/y.mp3", "/other" + folder + "z.mp3"});
  SavePlaylistFile(core, folder + "a.m3u", SaveFormat::M3u);
  EXPECT_EQ(lists.Read("lists/a.m3u"),
            "c" + folder + "x.mp3\r\n" + lists.Path() + "Lists/y.mp3\r\n/other" + folder + "z.mp3\r\n");
}

// Makes writes beyond `bytes` fail as on a full disk, for this process only.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  sighandler_t previousHandler_;
};

TEST_F(PlaylistFormatsTest, FailedOrRefusedSavesLeaveTheOldFileIntact) {
  const std::string old = "/music/old.mp3\r\n";
  const std::string path = lists.Write("keep.txt", old);
  Entries many;
  for (int i = 0; i < 1000; ++i) many.push_back("/music/new " + std::to_string(i) + ".mp3");
  SetEntries(many);
  {
    FileSizeLimit fullDisk(4096);
    SavePlaylistFile(core, path, SaveFormat::Text);
  }
  EXPECT_EQ(lists.Read("keep.txt"), old);

  chmod(path.c_str(), 0444);
  SavePlaylistFile(core, path, SaveFormat::Text);
  EXPECT_EQ(lists.Read("keep.txt"), old);

  const std::string folderTarget = lists.Path() + "folder.txt";
  lists.Write("folder.txt/inside.mp3", "x");
  SavePlaylistFile(core, folderTarget, SaveFormat::Text);
  EXPECT_TRUE(std::filesystem::is_directory(folderTarget));
  EXPECT_EQ(lists.Read("folder.txt/inside.mp3"), "x");

  // No temporary file is left behind by any of the failures.
  int files = 0;
  for (const auto& item : std::filesystem::directory_iterator(lists.Path())) files += item.is_regular_file();
  EXPECT_EQ(files, 1);
}

TEST_F(PlaylistFormatsTest, FilesAndFoldersWeMayNotTouchAsAnOrdinaryUser) {
  if (geteuid() == 0) GTEST_SKIP() << "root may read and write anything; run as another user to cover permissions";
  const std::string path = lists.Write("locked/keep.txt", "/music/old.mp3\r\n");
  chmod((lists.Path() + "locked").c_str(), 0555);
  SetEntries({"/music/new.mp3"});
  SavePlaylistFile(core, path, SaveFormat::Text);
  EXPECT_EQ(lists.Read("locked/keep.txt"), "/music/old.mp3\r\n");

  const std::string secret = lists.Write("secret.txt", "/music/a.mp3\r\n");
  chmod(secret.c_str(), 0);
  ReadTextPlaylist(core, secret);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Error 12\r\rPlease report this error.");
  EXPECT_EQ(entries(), Entries{"/music/new.mp3"});
}

TEST_F(PlaylistFormatsTest, ExtendedM3uTakesTheLineAfterEachExtinf) {
  const std::string path = lists.Write("a.m3u",
                                       "#EXTM3U\r\n"
                                       "#EXTINF:-1,Jazz Radio\r\n"
                                       "http://radio.example/jazz\r\n"
                                       "#EXTINF:123,Band - Song\r\n"
                                       "Rock\\a.mp3\r\n"
                                       "ignored.mp3\r\n"
                                       "#EXTINF:-1\r\n"
                                       "http://radio.example/untitled\r\n"
                                       "#EXTINF:5,last line adds nothing");
  ReadM3u(core, path);
  EXPECT_EQ(entries(), (Entries{"http://radio.example/jazz|Jazz Radio", lists.Path() + "Rock/a.mp3",
                                "http://radio.example/untitled|#EXTINF:-1"}));
}

TEST_F(PlaylistFormatsTest, PlainM3uTakesEveryLineAndKeepsTheLastOneWithoutLineEnd) {
  const std::string path = lists.Write("a.m3u", "# a comment\n/music/a.mp3\n\nb.mp3");
  ReadM3u(core, path);
  EXPECT_EQ(entries(), (Entries{lists.Path() + "# a comment", "/music/a.mp3", lists.Path(), lists.Path() + "b.mp3"}));
}

TEST_F(PlaylistFormatsTest, PlsTitlesOnlyFromTheLineRightAfterAStream) {
  const std::string path = lists.Write("a.pls",
                                       "[playlist]\n"
                                       "NumberOfEntries=4\n"
                                       "File1=http://radio.example/one\n"
                                       "Title1=Radio One\n"
                                       "File2=http://radio.example/two\n"
                                       "Length2=-1\n"
                                       "File3=Rock\\a.mp3\n"
                                       "Title3=Not used\n"
                                       "File4=http://radio.example/four\n"
                                       "Title4=My file radio\n"
                                       "Version=2");
  ReadPls(core, path);
  EXPECT_EQ(entries(), (Entries{"http://radio.example/one|Radio One",
                                "http://radio.example/two|http://radio.example/two", lists.Path() + "Rock/a.mp3",
                                "http://radio.example/four|My file radio", lists.Path() + "My file radio"}));
}

TEST_F(PlaylistFormatsTest, AsxGivesEveryStreamTheLastTitleOfTheFile) {
  const std::string xml = lists.Write("a.asx",
                                      "<ASX version=\"3.0\">\n"
                                      "<Entry><Title>First</Title>\n"
                                      "  <Ref href=\"http://radio.example/one\" />\n"
                                      "</Entry><Entry><TITLE>Second</TITLE>\n"
                                      "  <ref href=\"mms://radio.example/two\"/>\n"
                                      "  <ref href=\"C:\\Music\\a.mp3\"/>\n"
                                      "  <ref href=/>\n"
                                      "</Entry></ASX>");
  ReadAsx(core, xml);
  EXPECT_EQ(entries(), (Entries{"http://radio.example/one|Second", "mms://radio.example/two|Second",
                                "C:\\Music\\a.mp3"}));

  SetEntries({});
  const std::string ini = lists.Write("b.asx", "[Reference]\r\nRef1=http://radio.example/x\r\nRef2=rel.mp3");
  ReadAsx(core, ini);
  EXPECT_EQ(entries(), (Entries{"http://radio.example/x|http://radio.example/x", "rel.mp3"}));
}

TEST_F(PlaylistFormatsTest, B4sKeepsLocationsAsWrittenAndTakesNamesFromTheNextLine) {
  const std::string path = lists.Write("a.b4s",
                                       "<?xml version=\"1.0\"?>\n<WinampXML><playlist num_entries=\"3\">\n"
                                       "<entry Playstring=\"file:C:\\Music\\a.mp3\">\n<Name>Song</Name>\n</entry>\n"
                                       "<entry Playstring=\"http://radio.example/one\">\n<Name>Radio One</Name>\n"
                                       "<entry Playstring=\"http://radio.example/two\">\n<Name>Unclosed\n"
                                       "<entry Playstring=\"http://radio.example/three\">");
  ReadB4s(core, path);
  EXPECT_EQ(entries(), (Entries{"file:C:\\Music\\a.mp3", "http://radio.example/one|Radio One",
                                "http://radio.example/two|", "http://radio.example/three|http://radio.example/three"}));
}

TEST_F(PlaylistFormatsTest, EveryReaderKeepsALastLineWithoutLineEnd) {
  ReadTextPlaylist(core, lists.Write("a.txt", "/m/a.mp3\r\n/m/b.mp3"));
  ReadM3u(core, lists.Write("a.m3u", "#EXTM3U\r\n#EXTINF:1,x\r\n/m/c.mp3"));
  ReadPls(core, lists.Write("a.pls", "[playlist]\r\nFile1=/m/d.mp3"));
  ReadAsx(core, lists.Write("a.asx", "<asx><entry><ref href=\"/m/e.mp3\"/>"));
  ReadB4s(core, lists.Write("a.b4s", "<entry Playstring=\"/m/f.mp3\">"));
  // Lines ending in a lone CR (old Mac editors) are lines too.
  ReadTextPlaylist(core, lists.Write("cr.txt", "/m/g.mp3\r/m/h.mp3\r"));
  EXPECT_EQ(entries(), (Entries{"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3", "/m/e.mp3", "/m/f.mp3", "/m/g.mp3",
                                "/m/h.mp3"}));
}

TEST_F(PlaylistFormatsTest, TextPlaylistRebuildsTheViewAndForgetsTheScannedFolder) {
  SetEntries({"/m/old.mp3"});
  core.playlist.LastScannedFolder = "/m/";
  core.playlist.CurrentIndex = 2;
  ReadTextPlaylist(core, lists.Write("a.txt", "/m/a.mp3\n/m/b.mp3\n"));
  EXPECT_EQ(entries().size(), 3u);
  EXPECT_EQ(core.listView.RowCount(), 3);
  EXPECT_EQ(core.texts.statusPanels[1], "3 Files");
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{2});
  EXPECT_TRUE(core.playlist.LastScannedFolder.empty());
}

TEST_F(PlaylistFormatsTest, MissingTextPlaylistIsSilentAndAnUnreadableOneReportsError12) {
  SetEntries({"/m/a.mp3"});
  core.playlist.LastScannedFolder = "/m/";
  ReadTextPlaylist(core, lists.Path() + "missing.txt");
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(core.playlist.LastScannedFolder, "/m/");

  lists.Write("folder.txt/x.mp3", "");
  ReadTextPlaylist(core, lists.Path() + "folder.txt");
  const std::string fifo = lists.Path() + "pipe.txt";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  ReadTextPlaylist(core, fifo);  // must not wait for a writer
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(ui.messages[0].text, "Error 12\r\rPlease report this error.");
  EXPECT_EQ(entries(), Entries{"/m/a.mp3"});

  // The other readers stay silent.
  ReadM3u(core, lists.Path() + "folder.txt");
  ReadPls(core, fifo);
  ReadM3u(core, lists.Path() + "missing.m3u");
  EXPECT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(entries(), Entries{"/m/a.mp3"});
}

TEST_F(PlaylistFormatsTest, OddBytesLongLinesAndLongListsAreReadWhole) {
  // NUL bytes and a byte-order mark are dropped; invalid UTF-8 is kept as is.
  constexpr char odd[] = "\xEF\xBB\xBF/m/a.mp3\n/m/b\0.mp3\n/m/\xFF\xC3.mp3\n";
  ReadTextPlaylist(core, lists.Write("odd.txt", std::string_view(odd, sizeof odd - 1)));
  EXPECT_EQ(entries(), (Entries{"/m/a.mp3", "/m/b.mp3", "/m/\xFF\xC3.mp3"}));

  SetEntries({});
  const std::string longLine = "/m/" + std::string(1 << 20, 'x') + ".mp3";
  ReadM3u(core, lists.Write("long.m3u", longLine + "\n/m/after.mp3"));
  EXPECT_EQ(entries(), (Entries{longLine, "/m/after.mp3"}));

  // Far more lines than the 100000 a fixed line buffer would hold.
  SetEntries({});
  std::string many;
  for (int i = 0; i < 150001; ++i) many += "File" + std::to_string(i) + "=/m/" + std::to_string(i) + ".mp3\n";
  ReadPls(core, lists.Write("many.pls", "[playlist]\n" + many));
  ASSERT_EQ(entries().size(), 150001u);
  EXPECT_EQ(entries().back(), "/m/150000.mp3");
}

TEST_F(PlaylistFormatsTest, LinesAreWholeWhereverTheFileIsCutIntoBlocks) {
  // Lines of many lengths, so that line ends, CR LF pairs and dropped NULs
  // fall on every side of the reader's block boundaries; the file read in
  // blocks must split exactly like the whole text.
  std::mt19937 random(7);
  for (const char* lineEnd : {"\r\n", "\r", "\n"}) {
    std::string text = "\xEF\xBB\xBF";
    while (text.size() < 300000) {
      std::string line = "/m/" + std::string(random() % 3000, 'a' + static_cast<char>(random() % 26));
      if (random() % 7 == 0) line.insert(random() % line.size(), 1, '\0');
      text += line + lineEnd;
    }
    text += "/m/last-without-line-end.mp3";
    const std::optional<std::vector<std::string>> read = ReadPlaylistLines(lists.Write("blocks.txt", text));
    std::string expectedText = text.substr(3);
    std::erase(expectedText, '\0');
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, SplitLines(expectedText)) << "line end " << (lineEnd[0] == '\n' ? "LF" : lineEnd[1] ? "CR LF" : "CR");
  }
}

TEST_F(PlaylistFormatsTest, BinaryGarbageNeverBreaksAReader) {
  std::mt19937 random(12345);
  std::string garbage(1 << 18, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  // Sprinkle the words the readers look for, so their inner paths run too.
  for (const char* word : {"#EXTM3U\n", "#EXTINF:", "File1=", "Title", "<ref \"", "<title>", "playstring\"", "<name>"}) {
    for (int i = 0; i < 50; ++i) garbage.insert(random() % garbage.size(), word);
  }
  garbage.insert(0, "#EXTM3U\n");
  for (const char* name : {"g.txt", "g.m3u", "g.pls", "g.asx", "g.b4s"}) {
    LoadIntoPlaylist(core, lists.Write(name, garbage), LoadMode::AddToList);
  }
  EXPECT_GT(entries().size(), 0u);
  EXPECT_EQ(core.listView.RowCount(), static_cast<int>(entries().size()));
}

TEST_F(PlaylistFormatsTest, RealWorldPlaylistsNeverBreakAReader) {
  const std::filesystem::path folder = std::filesystem::path(TARVO_SHARED_TESTDATA) / "playlists";
  if (!std::filesystem::is_directory(folder)) {
    GTEST_SKIP() << "no real-world playlists at " << folder << " (a plain clone has no ../shared)";
  }
  int files = 0;
  for (const auto& item : std::filesystem::directory_iterator(folder)) {
    if (!item.is_regular_file()) continue;
    const std::string path = item.path().string();
    SCOPED_TRACE(path);
    ++files;
    SetEntries({});
    for (const LoadMode mode : {LoadMode::AddToList, LoadMode::ReplaceList, LoadMode::FromOtherInstance}) {
      LoadIntoPlaylist(core, path, mode);
      EXPECT_EQ(core.listView.RowCount(), static_cast<int>(entries().size()));
    }
    // Every reader on every file, whatever its name says.
    ReadTextPlaylist(core, path);
    ReadM3u(core, path);
    ReadPls(core, path);
    ReadAsx(core, path);
    ReadB4s(core, path);
  }
  EXPECT_GT(files, 0);
  for (const auto& message : ui.messages) EXPECT_NE(message.text, "Error 12\r\rPlease report this error.");
}

}  // namespace
}  // namespace tarvo
